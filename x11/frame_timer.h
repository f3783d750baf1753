// The X11 saver's frame timer: what SetTimer gives the Windows saver, kept by hand in the event
// loop. Periods missed while a frame or other work ran fold into one tick, as timer messages do.
// Times are wrapping 32-bit millisecond counts.
#pragma once

#include <cstdint>

struct FrameTimer {
  bool running;
  std::uint32_t id;
  std::uint32_t periodMs;
  std::uint32_t dueMs;  // when the next tick is due
};

void frameTimerStart(FrameTimer& timer, std::uint32_t id, std::uint32_t periodMs,
                     std::uint32_t nowMs);

// Stops the timer if it runs under this identifier.
void frameTimerStop(FrameTimer& timer, std::uint32_t id);

// Milliseconds until the next tick (0 when due); -1 when the timer is stopped.
std::int32_t frameTimerWaitMs(const FrameTimer& timer, std::uint32_t nowMs);

// True when a tick is due; the next is then due one period from now.
bool frameTimerTakeTick(FrameTimer& timer, std::uint32_t nowMs);
