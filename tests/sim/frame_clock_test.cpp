#include "sim/frame_clock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(FrameClock, StepIsTheClampedUnsignedDifferenceOfReadings) {
  struct Case {
    std::uint32_t previous, current, delta;
  };
  const Case cases[] = {{1000, 1000, 1},        // same tick: still 1 ms
                        {1000, 1016, 16},       // an ordinary frame
                        {1000, 60999, 59999},   // just below the cap
                        {1000, 61000, 60000},   // exactly the cap
                        {1000, 91000, 60000},   // a long stall is capped
                        {4294967280u, 16, 32},  // the counter wrapped
                        {5000, 4000, 60000}};   // a reading that went back is a huge gap
  for (const Case& c : cases) {
    FrameClock clock{};
    frameClockInit(clock, 60000, c.previous);
    EXPECT_EQ(1u, clock.deltaMs);
    EXPECT_EQ(c.previous, clock.startTick);
    frameClockTick(clock, c.current);
    EXPECT_EQ(c.delta, clock.deltaMs) << c.previous << " -> " << c.current;
    EXPECT_EQ(c.previous, clock.previousTick);
    EXPECT_EQ(c.previous, clock.startTick);
  }
  FrameClock clock{};
  frameClockInit(clock, 60000, 0);
  frameClockTick(clock, 10);
  frameClockTick(clock, 35);
  EXPECT_EQ(25u, clock.deltaMs);
}

}  // namespace
