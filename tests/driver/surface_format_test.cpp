#include "driver/surface_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

namespace {

constexpr FormatRenderer Hardware = FormatRenderer::Hardware;
constexpr FormatRenderer Software = FormatRenderer::Software;
constexpr FormatRenderer Accelerated = FormatRenderer::AcceleratedSoftware;

// An RGBA OpenGL window format.
constexpr SurfaceFormat GlWindow(bool doubleBuffered, FormatRenderer renderer,
                                 std::uint8_t colorBits, std::uint8_t depthBits) {
  return SurfaceFormat{true, true, false, doubleBuffered, false, renderer, colorBits, depthBits};
}

struct ScoreCase {
  const char* name;
  SurfaceFormat format;
  SurfaceRequest request;
  std::uint32_t score;
};

void PrintTo(const ScoreCase& c, std::ostream* out) { *out << c.name; }

class SurfaceFormatScore : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(SurfaceFormatScore, MatchesTheWeights) {
  EXPECT_EQ(surfaceFormatScore(GetParam().format, GetParam().request), GetParam().score);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SurfaceFormatScore,
    ::testing::Values(
        ScoreCase{"Hardware32Colour24Depth", GlWindow(true, Hardware, 32, 24), kSaverSurfaceRequest,
                  64754},
        ScoreCase{"Hardware16Colour16Depth", GlWindow(true, Hardware, 16, 16), kSaverSurfaceRequest,
                  64766},
        ScoreCase{"AcceleratedSoftware16Colour16Depth", GlWindow(true, Accelerated, 16, 16),
                  kSaverSurfaceRequest, 64764},
        ScoreCase{"Software32Colour32Depth", GlWindow(true, Software, 32, 32), kSaverSurfaceRequest,
                  60592},
        ScoreCase{"SingleBufferedHardware16Colour16Depth", GlWindow(false, Hardware, 16, 16),
                  kSaverSurfaceRequest, 56574},
        ScoreCase{"UnknownRenderer", GlWindow(true, FormatRenderer::Unknown, 16, 16),
                  kSaverSurfaceRequest, 60604},
        ScoreCase{"ColourIndexLosesRgbaWeight",
                  {true, true, false, true, true, Hardware, 8, 16},
                  kSaverSurfaceRequest,
                  64598},
        // OpenGL into a window takes both; bitmap support adds 1.
        ScoreCase{"OpenGlIntoBitmapsOnly",
                  {true, false, true, true, false, Hardware, 16, 16},
                  kSaverSurfaceRequest,
                  31999},
        ScoreCase{"WindowWithoutOpenGl",
                  {false, true, false, true, false, Hardware, 16, 16},
                  kSaverSurfaceRequest,
                  31998},
        // What a format that cannot be described scores: the zeroed record.
        ScoreCase{"Zeroed", SurfaceFormat{}, kSaverSurfaceRequest, 23746},
        ScoreCase{"ExactSoftwareRequest", GlWindow(false, Software, 32, 24), {32, 24, 0, 0}, 64688},
        // A depth request of 0 earns the depth-match weight but never the depth-presence one.
        ScoreCase{"DepthRequestZero", GlWindow(true, Hardware, 16, 0), {-1, 0, -1, -1}, 48362},
        ScoreCase{"DepthRequestZeroAgainstADepthBuffer",
                  GlWindow(true, Hardware, 16, 16),
                  {-1, 0, -1, -1},
                  47358},
        ScoreCase{"NothingMatches",
                  {false, false, false, true, true, FormatRenderer::Unknown, 8, 0},
                  {24, 24, 0, 0},
                  0}),
    [](const ::testing::TestParamInfo<ScoreCase>& info) { return info.param.name; });

// A source offering a fixed list of formats. An entry flagged as undescribable leaves the
// caller's record untouched, as a failing describe call does.
struct FakeSource {
  std::vector<SurfaceFormat> formats;
  std::vector<bool> undescribable;
  mutable std::vector<int> listedIndices;
};

int ListFromVector(const void* source, int index, SurfaceFormat* format) {
  const FakeSource& fake = *static_cast<const FakeSource*>(source);
  fake.listedIndices.push_back(index);
  const std::size_t slot = static_cast<std::size_t>(index - 1);
  const bool describable = slot >= fake.undescribable.size() || !fake.undescribable[slot];
  if (index >= 1 && slot < fake.formats.size() && describable) *format = fake.formats[slot];
  return static_cast<int>(fake.formats.size());
}

int Choose(const FakeSource& source, const SurfaceRequest& request = kSaverSurfaceRequest) {
  return chooseSurfaceFormat(ListFromVector, &source, request);
}

const SurfaceFormat Hardware32x24 = GlWindow(true, Hardware, 32, 24);
const SurfaceFormat Hardware16x16 = GlWindow(true, Hardware, 16, 16);
const SurfaceFormat Accelerated16x16 = GlWindow(true, Accelerated, 16, 16);
const SurfaceFormat Software32x32 = GlWindow(true, Software, 32, 32);
const SurfaceFormat Single16x16 = GlWindow(false, Hardware, 16, 16);

TEST(FormatRenderer, FromWhetherGenericAndWhetherAccelerated) {
  EXPECT_EQ(formatRendererOf(false, false), Hardware);
  EXPECT_EQ(formatRendererOf(true, false), Software);
  EXPECT_EQ(formatRendererOf(true, true), Accelerated);
  EXPECT_EQ(formatRendererOf(false, true), FormatRenderer::Unknown);
}

TEST(ChooseSurfaceFormat, PicksTheHighestScoreAndTheLowerIndexAmongEquals) {
  const FakeSource five{
      {Software32x32, Single16x16, Hardware32x24, Hardware16x16, Accelerated16x16}, {}, {}};
  EXPECT_EQ(Choose(five), 4);
  EXPECT_EQ(Choose({{Accelerated16x16, Hardware16x16}, {}, {}}), 2);  // by two points
  EXPECT_EQ(Choose({{Single16x16, Hardware32x24, Hardware32x24, Hardware32x24}, {}, {}}), 2);
  const SurfaceFormat useless{false, false, false, true, true, FormatRenderer::Unknown, 8, 0};
  EXPECT_EQ(Choose({{useless, useless}, {}, {}}, {24, 24, 0, 0}), 0);
}

TEST(ChooseSurfaceFormat, CountsFirstThenListsEveryIndexInOrder) {
  const FakeSource none;
  EXPECT_EQ(Choose(none), 0);
  EXPECT_EQ(none.listedIndices, std::vector<int>{1});
  const FakeSource three{{Hardware32x24, Hardware16x16, Single16x16}, {}, {}};
  Choose(three);
  EXPECT_EQ(three.listedIndices, (std::vector<int>{1, 1, 2, 3}));
}

// A Windows pixel format gives only its colour bits and keeps the bonus for exactly 16; a format
// whose channels are sized (EGL, GLX) takes 8 bits a channel over 5-6-5, then deeper ones.
TEST(ChooseSurfaceFormat, PrefersSixteenBitsOnWindowsAndTrueColourWhereChannelsAreSized) {
  EXPECT_EQ(Choose({{GlWindow(true, Hardware, 24, 16), Hardware16x16}, {}, {}}), 2);
  SurfaceFormat rgb565 = Hardware16x16, rgb888 = GlWindow(true, Hardware, 24, 16);
  SurfaceFormat rgb101010 = GlWindow(true, Hardware, 30, 16);
  rgb565.channelBits = 5;
  rgb888.channelBits = 8;
  rgb101010.channelBits = 10;
  EXPECT_EQ(Choose({{rgb565, rgb888}, {}, {}}), 2);
  EXPECT_EQ(Choose({{rgb565, rgb101010, rgb888}, {}, {}}), 3);
  EXPECT_EQ(Choose({{rgb565, rgb101010}, {}, {}}), 2);
  EXPECT_EQ(surfaceFormatScore(rgb888, kSaverSurfaceRequest),
            surfaceFormatScore(Hardware16x16, kSaverSurfaceRequest));
  EXPECT_EQ(surfaceFormatScore(rgb565, kSaverSurfaceRequest) + 8,
            surfaceFormatScore(rgb888, kSaverSurfaceRequest));
}

// An undescribable format must score from a zeroed record, not from the previous format's.
TEST(ChooseSurfaceFormat, UndescribableFormatScoresAsZeroed) {
  const SurfaceFormat weak{false, false, false, false, true, Software, 8, 0};  // 19456
  EXPECT_EQ(Choose({{weak, weak}, {false, true}, {}}), 2);  // a zeroed record scores 23746
}

}  // namespace
