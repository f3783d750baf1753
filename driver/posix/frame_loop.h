// What the Linux back ends' loops share: the frame timer on the monotonic clock, the wait for a
// display connection's events or the next tick, and SIGTERM, SIGHUP and SIGINT, which end the
// saver with 0. Each back end takes its own events and draws its own frames around these calls.
#pragma once

#include <signal.h>

#include <cstdint>

#include "driver/frame_timer.h"

struct FrameLoop {
  FrameTimer timer;
  sigset_t endSignals;  // the ending signals held back (SIGHUP only where not ignored)
  int signalFd;         // they are read from here; -1: a handler notes them instead
  sigset_t waitMask;    // the mask while waiting (lets them through where there is no signalFd)
  bool endSignalled;    // one has come
};

// Holds SIGTERM, SIGHUP and SIGINT back (call it first, before any thread of the GL driver exists,
// so that none of those takes them) and starts the frame timer (kFramePeriodMs). A signal that
// comes while a frame is drawn is seen at the next wait, however busy the loop is.
void FrameLoopStart(FrameLoop& loop);

// Closes the signal descriptor.
void FrameLoopEnd(FrameLoop& loop);

// True when a frame timer tick is due, taken now.
bool FrameLoopTakeTick(FrameLoop& loop);

// Milliseconds until the next tick.
std::int32_t FrameLoopWaitMs(const FrameLoop& loop);

// Whether an ending signal has come, looked at now without waiting (for a loop that may go from
// frame to frame without a wait when frames take longer than the period).
bool FrameLoopEndSignalled(FrameLoop& loop);

// Waits up to `waitMs` (-1: until something comes) for `events` on the connection `fd` or an
// ending signal (then `loop.endSignalled`). The connection's poll flags, 0 when none came.
short FrameLoopWait(FrameLoop& loop, int fd, short events, std::int32_t waitMs);
