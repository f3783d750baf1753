#include "render/glow_sizes.h"

#include <gtest/gtest.h>

#include "render/trail_fade.h"

namespace {

TEST(GlowSizes, SquaresArePowersOfTwoFromTheSmallerSide) {
  EXPECT_EQ(glowCaptureSize(1024, 768), 512);
  EXPECT_EQ(glowBlurSize(1024, 768, 1), 256);
  EXPECT_EQ(glowBlurSize(1024, 768, 2), 512);
  EXPECT_EQ(glowCaptureSize(768, 1024), 512);
  EXPECT_EQ(glowCaptureSize(152, 112), 64);
  EXPECT_EQ(glowBlurSize(152, 112, 1), 32);
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
      {0, 0, 1, 1, 1, 1.0f, 1.0f},     {1, 1, 1, 1, 1, 1.0f, 1.0f},
      {2, 2, 2, 1, 2, 1.0f, 1.0f},     {3, 3, 2, 1, 2, 1.0f, 1.0f},
      {300, 1, 1, 1, 1, 1.0f / 300, 1.0f}, {100, 0, 1, 1, 1, 0.0f, 1.0f},
      {0, 100, 1, 1, 1, 1.0f, 0.0f},   {-5, -7, 1, 1, 1, 1.0f, 1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    EXPECT_EQ(glowCaptureSize(c.width, c.height), c.capture);
    EXPECT_EQ(glowBlurSize(c.width, c.height, 1), c.low);
    EXPECT_EQ(glowBlurSize(c.width, c.height, 2), c.high);
    EXPECT_FLOAT_EQ(glowAspectFactors(c.width, c.height).fx, c.fx);
    EXPECT_FLOAT_EQ(glowAspectFactors(c.width, c.height).fy, c.fy);
  }
  EXPECT_FALSE(windowHasPixels(100, 0));
  EXPECT_FALSE(windowHasPixels(0, 100));
  EXPECT_TRUE(windowHasPixels(1, 1));
}

TEST(TrailFade, BreaksTipAndBody) {
  // Five points, head 0.03 beyond the newest: total length 5 x 0.02 + 0.03.
  const TrailFade fade{0.03f, 0.13f, true};
  EXPECT_EQ(trailPointAlpha(fade, 0, false, false, false), 0.0f);
  EXPECT_FLOAT_EQ(trailPointAlpha(fade, 3, false, false, false), 0.06f / 0.13f);
  EXPECT_EQ(trailPointAlpha(fade, 3, false, true, false), 0.0f);
  EXPECT_EQ(trailPointAlpha(fade, 3, false, false, true), 0.0f);
  // The tip rule, unclamped: a head one and a half spacings ahead gives 1.5.
  EXPECT_FLOAT_EQ(trailPointAlpha(fade, 4, true, false, false), 1.5f);
  EXPECT_EQ(trailPointAlpha(fade, 4, true, true, false), 0.0f);
}

TEST(TrailFade, TipRuleOnlyWithMoreThanTwoPoints) {
  TrailPoint points[3] = {{{0.5f, 0.5f, 0.5f}, 0}, {{0.52f, 0.5f, 0.5f}, 0},
                          {{0.54f, 0.5f, 0.5f}, 0}};
  Trail trail{2, 3, 0, 1, points, {0.55f, 0.5f, 0.5f}, 1};
  TrailFade fade = trailFadeOf(trail);
  EXPECT_FALSE(fade.tipRule);
  EXPECT_NEAR(fade.tipGap, 0.03f, 1e-6f);
  EXPECT_NEAR(fade.totalLength, 0.07f, 1e-6f);
  EXPECT_NEAR(trailPointAlpha(fade, 1, true, false, false), 0.02f / 0.07f, 1e-6f);

  trail = Trail{3, 3, 0, 2, points, {0.54f, 0.5f, 0.5f}, 1};  // head on the newest point
  fade = trailFadeOf(trail);
  EXPECT_TRUE(fade.tipRule);
  EXPECT_EQ(trailPointAlpha(fade, 2, true, false, false), 0.0f);
}

}  // namespace
