#include "display/pixel_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

namespace {

constexpr std::uint32_t WindowGl = PFD_SUPPORT_OPENGL | PFD_DRAW_TO_WINDOW;
constexpr std::uint32_t GenericHardware = PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;
constexpr std::uint32_t GenericSoftware = PFD_GENERIC_FORMAT;

struct ScoreCase {
  const char* name;
  PixelFormatDescription format;
  PixelFormatRequest request;
  std::uint32_t score;
};

void PrintTo(const ScoreCase& c, std::ostream* out) { *out << c.name; }

class PixelFormatScore : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(PixelFormatScore, MatchesTheWeights) {
  EXPECT_EQ(ScorePixelFormat(GetParam().format, GetParam().request), GetParam().score);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PixelFormatScore,
    ::testing::Values(
        ScoreCase{"Driver32Colour24Depth",
                  {WindowGl | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 32, 24},
                  RenderContextRequest,
                  64754},
        ScoreCase{"Driver16Colour16Depth",
                  {WindowGl | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 16, 16},
                  RenderContextRequest,
                  64766},
        ScoreCase{"GenericHardware16Colour16Depth",
                  {WindowGl | PFD_DOUBLEBUFFER | GenericHardware, PFD_TYPE_RGBA, 16, 16},
                  RenderContextRequest,
                  64764},
        ScoreCase{"GenericSoftware32Colour32Depth",
                  {WindowGl | PFD_DOUBLEBUFFER | GenericSoftware, PFD_TYPE_RGBA, 32, 32},
                  RenderContextRequest,
                  60592},
        ScoreCase{"SingleBufferedDriver16Colour16Depth",
                  {WindowGl, PFD_TYPE_RGBA, 16, 16},
                  RenderContextRequest,
                  56574},
        // Accelerated flag without the generic flag: neither hardware nor software.
        ScoreCase{"UnclassifiedKind",
                  {WindowGl | PFD_DOUBLEBUFFER | PFD_GENERIC_ACCELERATED, PFD_TYPE_RGBA, 16, 16},
                  RenderContextRequest,
                  60604},
        ScoreCase{"ColourIndexLosesRgbaWeight",
                  {WindowGl | PFD_DOUBLEBUFFER, PFD_TYPE_COLORINDEX, 8, 16},
                  RenderContextRequest,
                  64598},
        // OpenGL into a window takes both flags; bitmap support adds 1.
        ScoreCase{
            "OpenGlIntoBitmapsOnly",
            {PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_DRAW_TO_BITMAP, PFD_TYPE_RGBA, 16, 16},
            RenderContextRequest,
            31999},
        ScoreCase{"WindowWithoutOpenGl",
                  {PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 16, 16},
                  RenderContextRequest,
                  31998},
        // What a format that cannot be described scores: a zeroed descriptor reads as an RGBA
        // driver format without OpenGL, buffers or depth.
        ScoreCase{"ZeroedDescriptor", {0, 0, 0, 0}, RenderContextRequest, 23746},
        ScoreCase{"ExactSoftwareRequest",
                  {WindowGl | GenericSoftware, PFD_TYPE_RGBA, 32, 24},
                  {32, 24, 0, 0},
                  64688},
        // A depth request of 0 earns the depth-match weight but never the depth-presence one.
        ScoreCase{"DepthRequestZero",
                  {WindowGl | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 16, 0},
                  {-1, 0, -1, -1},
                  48362},
        ScoreCase{"NothingMatches",
                  {PFD_GENERIC_ACCELERATED | PFD_DOUBLEBUFFER, PFD_TYPE_COLORINDEX, 8, 0},
                  {24, 24, 0, 0},
                  0}),
    [](const ::testing::TestParamInfo<ScoreCase>& info) { return info.param.name; });

// A device offering a fixed list of formats. An entry flagged as undescribable leaves the
// caller's descriptor untouched, as a failing describe call does.
struct FakeDevice {
  std::vector<PixelFormatDescription> formats;
  std::vector<bool> undescribable;
  std::vector<int> describedIndices;
};

int DescribeFromList(void* device, int index, PixelFormatDescription* format) {
  FakeDevice& fake = *static_cast<FakeDevice*>(device);
  fake.describedIndices.push_back(index);
  const std::size_t slot = static_cast<std::size_t>(index - 1);
  const bool describable = slot >= fake.undescribable.size() || !fake.undescribable[slot];
  if (index >= 1 && slot < fake.formats.size() && describable) *format = fake.formats[slot];
  return static_cast<int>(fake.formats.size());
}

int ChooseForContext(FakeDevice& device) {
  return ChooseScoredPixelFormat(DescribeFromList, &device, -1, -1, 1, 1);
}

const PixelFormatDescription Driver32x24{WindowGl | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 32, 24};
const PixelFormatDescription Driver16x16{WindowGl | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 16, 16};
const PixelFormatDescription Hardware16x16{WindowGl | PFD_DOUBLEBUFFER | GenericHardware,
                                           PFD_TYPE_RGBA, 16, 16};
const PixelFormatDescription Software32x32{WindowGl | PFD_DOUBLEBUFFER | GenericSoftware,
                                           PFD_TYPE_RGBA, 32, 32};
const PixelFormatDescription Single16x16{WindowGl, PFD_TYPE_RGBA, 16, 16};

TEST(ChooseScoredPixelFormat, PicksTheHighestScoreWhereverItIs) {
  FakeDevice device{{Software32x32, Single16x16, Driver32x24, Driver16x16, Hardware16x16}, {}, {}};
  EXPECT_EQ(ChooseForContext(device), 4);
}

TEST(ChooseScoredPixelFormat, DriverFormatBeatsGenericHardwareByTwo) {
  FakeDevice device{{Hardware16x16, Driver16x16}, {}, {}};
  EXPECT_EQ(ChooseForContext(device), 2);
}

TEST(ChooseScoredPixelFormat, EqualScoresKeepTheLowerIndex) {
  FakeDevice device{{Single16x16, Driver32x24, Driver32x24, Driver32x24}, {}, {}};
  EXPECT_EQ(ChooseForContext(device), 2);
}

TEST(ChooseScoredPixelFormat, NoFormatsGiveZeroAfterOneCountingCall) {
  FakeDevice device;
  EXPECT_EQ(ChooseForContext(device), 0);
  EXPECT_EQ(device.describedIndices, std::vector<int>{1});
}

TEST(ChooseScoredPixelFormat, FormatsThatAllScoreZeroGiveZero) {
  const PixelFormatDescription useless{PFD_GENERIC_ACCELERATED | PFD_DOUBLEBUFFER,
                                       PFD_TYPE_COLORINDEX, 8, 0};
  FakeDevice device{{useless, useless}, {}, {}};
  EXPECT_EQ(ChooseScoredPixelFormat(DescribeFromList, &device, 24, 24, 0, 0), 0);
}

TEST(ChooseScoredPixelFormat, CountsFirstThenDescribesEveryIndexInOrder) {
  FakeDevice device{{Driver32x24, Driver16x16, Single16x16}, {}, {}};
  ChooseForContext(device);
  EXPECT_EQ(device.describedIndices, (std::vector<int>{1, 1, 2, 3}));
}

// An undescribable format must score from a zeroed descriptor, not from the previous format's.
TEST(ChooseScoredPixelFormat, UndescribableFormatScoresAsZeroed) {
  const PixelFormatDescription weak{GenericSoftware, PFD_TYPE_COLORINDEX, 8, 0};  // 19456
  FakeDevice device{{weak, weak}, {false, true}, {}};
  EXPECT_EQ(ChooseForContext(device), 2);  // a zeroed descriptor scores 23746
}

// A window's format is set once: a later request changes nothing; one out of range sets none.
TEST(PixelFormatAfterSet, IsSetOnceAndOnlyWithinTheOfferedFormats) {
  EXPECT_EQ(PixelFormatAfterSet(0, 2, 3), 2);
  EXPECT_EQ(PixelFormatAfterSet(2, 3, 3), 2);
  EXPECT_EQ(PixelFormatAfterSet(0, 0, 3), 0);
  EXPECT_EQ(PixelFormatAfterSet(0, 4, 3), 0);
  EXPECT_EQ(PixelFormatAfterSet(0, -1, 3), 0);
  EXPECT_EQ(PixelFormatAfterSet(0, 1, 0), 0);
}

}  // namespace
