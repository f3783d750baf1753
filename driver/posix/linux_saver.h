// What the Linux program's back ends (X11 and Wayland) share around the frame driver: the
// renderers it links, how each window's driver is set up, the end when a flock cannot be built,
// and the frame limit.
#pragma once

#include <cstdint>

#include "driver/frame_driver_state.h"

// The GL 1.1 renderer for desktop contexts, the ES one for ES contexts.
extern const RendererTable kLinuxRenderers;

// A window's frame driver before its creation: the Linux renderers, the -fps figures when asked
// for, and the halo blurred where QUELLWIRE_BLUR asks.
void LinuxFrameDriverSetup(FrameDriverState& state, bool showFps);

// Keeps the memory the drawing frees at the end of each frame for the next, where the C library
// would hand it back to the system and fault it in again: large blocks come from the heap below
// 32 MiB, and the heap's top is given back only beyond 64 MiB (the values glibc itself settles on
// once it has freed one block of 32 MiB or more). For the whole process, before the first frame.
void KeepHeapBetweenFrames();

// Says on stderr that a flock could not be built and gives the status the program then ends
// with: 1, as for its other failures (the Windows saver's -1 is that platform's own).
int ReportNoFlock();

// The -frames option: end after this many frame timer ticks that drew.
struct FrameLimit {
  std::uint32_t limit;  // 0: no limit
  std::uint32_t frames;
};

// Counts one frame that drew; true when the limit is reached.
bool FrameLimitReached(FrameLimit& limit);
