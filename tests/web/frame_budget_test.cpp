// How many pixels the page draws: the bound, the levels, and when the frame rate moves them.
#include <gtest/gtest.h>

#include "web/frame_budget.h"

namespace {

// Frames every periodMs for ms from *now on; the number of level changes seen.
int Frames(FrameBudget& budget, double& now, double periodMs, double ms) {
  int changes = 0;
  for (const double end = now + ms; now < end; now += periodMs) {
    changes += frameBudgetFrame(budget, now) ? 1 : 0;
  }
  return changes;
}

}  // namespace

TEST(FrameBudget, DrawsFewerPixelsWhileFramesComeSlowAndMoreOnceTheyComeFast) {
  // Every pixel up to the bound, which keeps the shape; each level a fraction of each side.
  EXPECT_EQ(1280, pageDrawnSize({1280, 720}, 0).width);
  EXPECT_EQ(360, pageDrawnSize({1280, 720}, 4).height);
  const ClientSize wide = pageDrawnSize({3840, 2160}, 0);
  EXPECT_TRUE(wide.width == 2560 && wide.height == 1440) << wide.width << "x" << wide.height;
  EXPECT_EQ(1280, pageDrawnSize({3840, 2160}, 4).width);
  const ClientSize tiny = pageDrawnSize({0, 1}, 99);
  EXPECT_TRUE(tiny.width == 1 && tiny.height == 1);

  // The first window after a restart is left out; each slow window after it drops a level, the
  // window after a change is left out too, and the last level holds.
  const double window = kPageBudgetWindowMs;
  FrameBudget budget{};
  double now = 1000.0;
  EXPECT_EQ(0, Frames(budget, now, 50.0, window + 50.0));
  EXPECT_EQ(1, Frames(budget, now, 50.0, window + 50.0));
  EXPECT_EQ(1, budget.level);
  EXPECT_EQ(0, Frames(budget, now, 50.0, window));
  EXPECT_EQ(kPageDrawLevels - 2, Frames(budget, now, 50.0, 2 * kPageDrawLevels * window + 100.0));
  EXPECT_EQ(kPageDrawLevels - 1, budget.level);

  // 30 frames a second hold the level; 60 for kPageFastWindowsToRise windows in a row raise it
  // one level; a restart (a pause, a resize) begins the count again.
  const double fast = kPageFastWindowsToRise * window;
  EXPECT_EQ(0, Frames(budget, now, 1000.0 / 30, 20000.0));
  EXPECT_EQ(0, Frames(budget, now, 1000.0 / 60, fast - window));
  frameBudgetRestart(budget);
  EXPECT_EQ(0, Frames(budget, now, 1000.0 / 60, fast));
  EXPECT_EQ(1, Frames(budget, now, 1000.0 / 60, 3 * window));
  EXPECT_EQ(kPageDrawLevels - 2, budget.level);
  // A clock that goes back starts a new window rather than counting a negative time.
  EXPECT_FALSE(frameBudgetFrame(budget, 10.0));
}
