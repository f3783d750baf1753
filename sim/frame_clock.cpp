#include "sim/frame_clock.h"

void frameClockInit(FrameClock& clock, std::uint32_t maxDeltaMs, std::uint32_t nowMs) {
  clock.startTick = nowMs;
  clock.currentTick = nowMs;
  clock.previousTick = nowMs;
  clock.deltaMs = 1;
  clock.maxDeltaMs = maxDeltaMs;
}

void frameClockTick(FrameClock& clock, std::uint32_t nowMs) {
  clock.previousTick = clock.currentTick;
  clock.currentTick = nowMs;
  std::uint32_t step = clock.currentTick - clock.previousTick;
  if (step == 0) step = 1;
  if (step >= clock.maxDeltaMs) step = clock.maxDeltaMs;
  clock.deltaMs = step;
}
