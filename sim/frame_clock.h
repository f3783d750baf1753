// The frame clock: turns the system's millisecond tick count into a bounded per-frame step.
//
// The clock does not read the tick count itself; the caller passes the reading (the Windows
// build passes GetTickCount(), tests pass their own), so the clock stays a pure record update.
#pragma once

#include <cstdint>

struct FrameClock {
  std::uint32_t startTick;     // ms: reading when the clock was created; also the random seed
  std::uint32_t currentTick;   // ms: reading at the latest tick
  std::uint32_t previousTick;  // ms: reading at the tick before
  std::uint32_t deltaMs;       // ms: latest step, 1 to maxDeltaMs; 1 after creation
  std::uint32_t maxDeltaMs;    // ms: upper bound of a step
};

// Starts the clock at the reading nowMs with a step of 1 ms.
void frameClockInit(FrameClock& clock, std::uint32_t maxDeltaMs, std::uint32_t nowMs);

// Advances the clock to the reading nowMs. The step is the unsigned 32-bit difference from the
// previous reading (so a wrap of the tick counter still gives the true gap), raised to 1 when it
// is 0 and lowered to maxDeltaMs when it reaches it.
void frameClockTick(FrameClock& clock, std::uint32_t nowMs);
