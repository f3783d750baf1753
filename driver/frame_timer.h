// A periodic frame timer kept by hand in an event loop, as the Linux savers keep theirs: periods
// missed while a frame or other work ran fold into one tick, as a system timer's do. Times are
// wrapping 32-bit millisecond counts.
#pragma once

#include <cstdint>

struct FrameTimer {
  bool running;
  std::uint32_t periodMs;
  std::uint32_t dueMs;  // when the next tick is due
};

void frameTimerStart(FrameTimer& timer, std::uint32_t periodMs, std::uint32_t nowMs);

// Milliseconds until the next tick (0 when due); -1 when the timer is stopped.
std::int32_t frameTimerWaitMs(const FrameTimer& timer, std::uint32_t nowMs);

// True when a tick is due; the next is then due one period from now.
bool frameTimerTakeTick(FrameTimer& timer, std::uint32_t nowMs);
