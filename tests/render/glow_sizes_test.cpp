#include "render/glow_sizes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "render/trail_fade.h"

namespace {

TEST(GlowSizes, SquaresArePowersOfTwoFromTheSmallerSide) {
  EXPECT_EQ(glowCaptureSize(1024, 768), 512);
  EXPECT_EQ(glowBlurSize(1024, 768, GlowMode::LowQuality), 256);
  EXPECT_EQ(glowBlurSize(1024, 768, GlowMode::HighQuality), 512);
  EXPECT_EQ(glowCaptureSize(768, 1024), 512);
  EXPECT_EQ(glowCaptureSize(152, 112), 64);
  EXPECT_EQ(glowBlurSize(152, 112, GlowMode::LowQuality), 32);
  EXPECT_EQ(glowCaptureSize(1920, 1080), 1024);
  EXPECT_EQ(glowCaptureSize(640, 256), 256);  // an exact power of two is kept
  EXPECT_EQ(glowCaptureSize(640, 255), 128);
}

TEST(GlowSizes, AspectFactorsScaleTheLongerSide) {
  EXPECT_FLOAT_EQ(glowAspectFactors(1024, 768).fx, 0.75f);
  EXPECT_FLOAT_EQ(glowAspectFactors(1024, 768).fy, 1.0f);
  EXPECT_FLOAT_EQ(glowAspectFactors(768, 1024).fx, 1.0f);
  EXPECT_FLOAT_EQ(glowAspectFactors(768, 1024).fy, 0.75f);
  EXPECT_EQ(glowAspectFactors(300, 300).fx, 1.0f);
  EXPECT_EQ(glowAspectFactors(300, 300).fy, 1.0f);
}

// Tiny and empty windows: squares of at least one pixel, no shift below zero, finite factors.
TEST(GlowSizes, SmallAndEmptyWindowsStaySafe) {
  struct Case {
    std::int32_t width, height, capture, low, high;
    float fx, fy;
  };
  const Case cases[] = {
      {0, 0, 1, 1, 1, 1.0f, 1.0f},   {1, 1, 1, 1, 1, 1.0f, 1.0f},
      {3, 3, 2, 1, 2, 1.0f, 1.0f},   {300, 1, 1, 1, 1, 1.0f / 300, 1.0f},
      {100, 0, 1, 1, 1, 0.0f, 1.0f}, {0, 100, 1, 1, 1, 1.0f, 0.0f},
      {-5, -7, 1, 1, 1, 1.0f, 1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    EXPECT_EQ(glowCaptureSize(c.width, c.height), c.capture);
    EXPECT_EQ(glowBlurSize(c.width, c.height, GlowMode::LowQuality), c.low);
    EXPECT_EQ(glowBlurSize(c.width, c.height, GlowMode::HighQuality), c.high);
    EXPECT_FLOAT_EQ(glowAspectFactors(c.width, c.height).fx, c.fx);
    EXPECT_FLOAT_EQ(glowAspectFactors(c.width, c.height).fy, c.fy);
  }
  EXPECT_FALSE(windowHasPixels(100, 0));
  EXPECT_FALSE(windowHasPixels(0, 100));
  EXPECT_TRUE(windowHasPixels(1, 1));
}

// Breaks and the tip are covered by the strips' feedback; here what GL would hide: the tip rule
// needs more than two points, and its alpha is not clamped.
// The composite's rectangles hold every pixel whose linear sample reads a lit texel, for two
// far-apart lit texels of a 128-texel halo stretched over a wide and a tall window, and leave out
// most of the black; a halo lit nowhere gives none.
TEST(GlowSizes, CompositeBandsHoldEveryPixelALitTexelReaches) {
  constexpr std::int32_t kSide = 128;
  BlurSpan rows[kSide] = {};
  std::uint64_t groups[kSide / kGlowCellRows] = {};
  GlowBand bands[kGlowMaxRects];
  EXPECT_EQ(glowCompositeBands(GlowHaloMap{rows, groups, kSide}, 640, 480, bands), 0);
  struct Texel {
    std::int32_t x, y;
  };
  const Texel lit[] = {{3, 20}, {120, 100}};
  for (const Texel t : lit) {
    rows[t.y] = BlurSpan{rows[t.y].lo < rows[t.y].hi ? rows[t.y].lo : t.x, t.x + 1};
    groups[t.y / kGlowCellRows] |= std::uint64_t{1} << (t.x / glowCellWidth(kSide));
  }
  for (const std::int32_t width : {1000, 300}) {
    const std::int32_t height = 1300 - width;
    const int count = glowCompositeBands(GlowHaloMap{rows, groups, kSide}, width, height, bands);
    long covered = 0;
    for (int i = 0; i < count; ++i) covered += static_cast<long>(bands[i].width) * bands[i].height;
    EXPECT_LT(covered, static_cast<long>(width) * height / 20) << width;
    const auto reads = [](std::int32_t pixel, std::int32_t n, std::int32_t texel) {
      const double t = (pixel + 0.5) * kSide / n - 0.5;
      const double below = std::floor(t);
      return below == texel || below + 1 == texel;
    };
    for (std::int32_t y = 0; y < height; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        bool lights = false;
        for (const Texel t : lit)
          lights = lights || (reads(x, width, t.x) && reads(y, height, t.y));
        if (!lights) continue;
        bool inside = false;
        for (int i = 0; i < count; ++i) {
          const GlowBand& r = bands[i];
          inside = inside || (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height);
        }
        ASSERT_TRUE(inside) << width << "x" << height << " at " << x << "," << y;
      }
    }
  }
}

TEST(TrailFade, TipRuleOnlyWithMoreThanTwoPointsAndUnclamped) {
  TrailPoint points[3] = {
      {{0.50f, 0.5f, 0.5f}, 0}, {{0.52f, 0.5f, 0.5f}, 0}, {{0.54f, 0.5f, 0.5f}, 0}};
  Trail trail{2, 3, 0, 1, points, {0.55f, 0.5f, 0.5f}, 1};
  TrailFade fade = trailFadeOf(trail);
  EXPECT_NEAR(trailPointAlpha(fade, 1, true, false, false), 0.02f / 0.07f, 1e-6f);

  trail = Trail{3, 3, 0, 2, points, {0.57f, 0.5f, 0.5f}, 1};  // 1.5 spacings ahead
  fade = trailFadeOf(trail);
  EXPECT_NEAR(trailPointAlpha(fade, 2, true, false, false), 1.5f, 1e-5f);
  EXPECT_NEAR(trailPointAlpha(fade, 1, false, false, false), 0.02f / 0.09f, 1e-6f);
}

}  // namespace
