#include "driver/posix/frame_loop.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <time.h>
#include <unistd.h>

#include <csignal>

#include "driver/frame_sequence.h"
#include "driver/posix/monotonic_clock.h"

namespace {

// SIGTERM: xscreensaver, xsecurelock and swayidle's end of a saver; SIGHUP: xss-lock's end of
// its notifier, or the terminal closed; SIGINT: Ctrl-C.
constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

volatile std::sig_atomic_t gEndSignalled = 0;

void NoteEndSignal(int) { gEndSignalled = 1; }

}  // namespace

// SIGHUP ignored from the start (by nohup) stays ignored, and is not held back: the kernel then
// drops it. SIGTERM and SIGINT are always held back, ignored or not (a shell's `&` ignores SIGINT
// for a program it starts). Without a signalfd they are let through only while the loop waits
// (ppoll): the wait ends at once and the handler has noted them.
void FrameLoopStart(FrameLoop& loop) {
  loop = FrameLoop{};
  sigemptyset(&loop.endSignals);
  for (const int signal : kEndSignals) {
    struct sigaction current {};
    const bool ignored = sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
    if (signal != SIGHUP || !ignored) sigaddset(&loop.endSignals, signal);
  }
  sigprocmask(SIG_BLOCK, &loop.endSignals, &loop.waitMask);
  loop.signalFd = signalfd(-1, &loop.endSignals, SFD_CLOEXEC | SFD_NONBLOCK);
  if (loop.signalFd < 0) {
    struct sigaction action {};
    action.sa_handler = NoteEndSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : kEndSignals) {
      if (sigismember(&loop.endSignals, signal) != 1) continue;
      sigaction(signal, &action, nullptr);
      sigdelset(&loop.waitMask, signal);
    }
  }
  frameTimerStart(loop.timer, kFramePeriodMs, MonotonicTickMs());
}

void FrameLoopEnd(FrameLoop& loop) {
  if (loop.signalFd >= 0) close(loop.signalFd);
  loop.signalFd = -1;
}

bool FrameLoopTakeTick(FrameLoop& loop) {
  return frameTimerTakeTick(loop.timer, MonotonicTickMs());
}

std::int32_t FrameLoopWaitMs(const FrameLoop& loop) {
  return frameTimerWaitMs(loop.timer, MonotonicTickMs());
}

short FrameLoopWait(FrameLoop& loop, int fd, short events, std::int32_t waitMs) {
  pollfd fds[2] = {{fd, events, 0}, {loop.signalFd, POLLIN, 0}};
  const timespec wait{waitMs / 1000, (waitMs % 1000) * 1000000L};
  const bool withFd = loop.signalFd >= 0;
  const int ready =
      ppoll(fds, withFd ? 2 : 1, waitMs >= 0 ? &wait : nullptr, withFd ? nullptr : &loop.waitMask);
  if ((withFd && (fds[1].revents & POLLIN) != 0) || gEndSignalled != 0) loop.endSignalled = true;
  // ppoll delivers a held signal only when nothing was ready at once; a loop whose frames take
  // longer than the compositor's events come (always something to read) would never get it, so
  // one still held back counts too.
  sigset_t pending;
  if (!withFd && sigpending(&pending) == 0) {
    for (const int signal : kEndSignals) {
      if (sigismember(&pending, signal) == 1) loop.endSignalled = true;
    }
  }
  return ready > 0 ? fds[0].revents : 0;
}

bool FrameLoopEndSignalled(FrameLoop& loop) {
  FrameLoopWait(loop, -1, 0, 0);  // poll leaves out a descriptor of -1
  return loop.endSignalled;
}
