#include <gtest/gtest.h>

#include <cstring>

#include "driver/frame_timer.h"
#include "render/fps_overlay.h"

namespace {

TEST(FrameTimer, TicksEveryPeriodFoldingMissedOnesAndAcrossTheWrap) {
  FrameTimer timer{};
  EXPECT_EQ(frameTimerWaitMs(timer, 0), -1);
  frameTimerStart(timer, 10, 0xFFFFFFF8u);  // due 2 ms after the counter wraps
  EXPECT_EQ(frameTimerWaitMs(timer, 0xFFFFFFFFu), 3);
  EXPECT_FALSE(frameTimerTakeTick(timer, 0xFFFFFFFFu));
  EXPECT_TRUE(frameTimerTakeTick(timer, 2));
  EXPECT_EQ(frameTimerWaitMs(timer, 2), 10);
  EXPECT_TRUE(frameTimerTakeTick(timer, 500));   // a long stall gives one tick...
  EXPECT_FALSE(frameTimerTakeTick(timer, 501));  // ...not a burst
}

TEST(FpsOverlay, CountsFramesOverEachSecond) {
  FpsCounter counter{};
  fpsCounterFrame(counter, 1000);
  for (std::uint32_t ms = 1010; ms <= 2000; ms += 10) fpsCounterFrame(counter, ms);
  EXPECT_DOUBLE_EQ(counter.framesPerSecond, 100.0);
  for (std::uint32_t ms = 2020; ms <= 3000; ms += 20) fpsCounterFrame(counter, ms);
  EXPECT_DOUBLE_EQ(counter.framesPerSecond, 50.0);
  // Slow frames overrun the second: 3 frames over the 1200 ms that really passed.
  for (std::uint32_t ms = 3400; ms <= 4200; ms += 400) fpsCounterFrame(counter, ms);
  EXPECT_DOUBLE_EQ(counter.framesPerSecond, 2.5);
  // The next period starts when that frame came (4200), not at the period's nominal end (4000).
  for (std::uint32_t ms = 4300; ms <= 5100; ms += 100) fpsCounterFrame(counter, ms);
  EXPECT_DOUBLE_EQ(counter.framesPerSecond, 2.5);
  fpsCounterFrame(counter, 5200);
  EXPECT_DOUBLE_EQ(counter.framesPerSecond, 10.0);
  // The counter wraps: a period across the wrap is measured as the time that passed.
  counter = FpsCounter{};
  fpsCounterFrame(counter, 0xFFFFFF00u);
  for (std::uint32_t i = 1; i <= 50; ++i) fpsCounterFrame(counter, 0xFFFFFF00u + i * 25u);
  EXPECT_DOUBLE_EQ(counter.framesPerSecond, 40.0);
}

TEST(FpsOverlay, TextFitsTheBufferAndEveryCharacterHasAGlyph) {
  char text[32];
  EXPECT_EQ(formatFpsText(text, sizeof text, 97.25), 9u);
  EXPECT_STREQ(text, "FPS: 97.2");
  formatFpsText(text, sizeof text, -1.0 / 0.0);
  EXPECT_STREQ(text, "FPS: 0.0");
  EXPECT_EQ(formatFpsText(text, 4, 12.0), 3u);
  EXPECT_STREQ(text, "FPS");
  for (const char c : std::string("FPS: 0123456789.")) EXPECT_NE(fpsGlyph(c), nullptr) << c;
  EXPECT_EQ(fpsGlyph('x'), nullptr);
}

}  // namespace
