#include "driver/frame_timer.h"

void frameTimerStart(FrameTimer& timer, std::uint32_t periodMs, std::uint32_t nowMs) {
  timer = FrameTimer{true, periodMs, nowMs + periodMs};
}

std::int32_t frameTimerWaitMs(const FrameTimer& timer, std::uint32_t nowMs) {
  if (!timer.running) return -1;
  // The signed difference is right across the wrap of the counter.
  const std::int32_t remaining = static_cast<std::int32_t>(timer.dueMs - nowMs);
  if (remaining <= 0) return 0;
  return remaining < static_cast<std::int32_t>(timer.periodMs)
             ? remaining
             : static_cast<std::int32_t>(timer.periodMs);
}

bool frameTimerTakeTick(FrameTimer& timer, std::uint32_t nowMs) {
  if (frameTimerWaitMs(timer, nowMs) != 0) return false;
  timer.dueMs = nowMs + timer.periodMs;
  return true;
}
