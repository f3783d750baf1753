// Preloaded (LD_PRELOAD) into an X11 OpenGL program to measure what its frames cost: it counts
// the program's buffer swaps, through GLX (glXSwapBuffers) or EGL (eglSwapBuffers), and notes
// the process's CPU time (user and system, all its threads) and the wall time when swap
// QW_SWAP_FIRST returns and when swap QW_SWAP_LAST returns. There it writes
// "<frames> <CPU seconds> <wall seconds>" for the frames in between to the file QW_SWAP_REPORT
// and ends the process, so start-up and shutdown stay outside the measure. With QW_SWAP_SETTLE_S
// the count starts instead at the first swap that many seconds after the first.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Mark {
  double cpu = 0.0;
  double wall = 0.0;
};

Mark now() {
  rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  timespec wall = {};
  clock_gettime(CLOCK_MONOTONIC, &wall);
  Mark mark;
  mark.cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec * 1e-6 + usage.ru_stime.tv_sec +
             usage.ru_stime.tv_usec * 1e-6;
  mark.wall = wall.tv_sec + wall.tv_nsec * 1e-9;
  return mark;
}

long envNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return (*end == '\0' && value > 0) ? value : fallback;
}

void swapped() {
  static const long first = envNumber("QW_SWAP_FIRST", 20);
  static const long last = envNumber("QW_SWAP_LAST", 170);
  // With QW_SWAP_SETTLE_S, the count starts at the first swap that many seconds after the
  // first one and takes last - first swaps from there: a flock of the same age at every size.
  static const long settle = envNumber("QW_SWAP_SETTLE_S", 0);
  static long swaps = 0;
  static long started = 0;  // the swap the count started at, 0 before
  static Mark begin;
  static Mark start;
  ++swaps;
  if (swaps == 1) begin = now();
  if (started == 0) {
    const bool due =
        settle > 0 ? now().wall - begin.wall >= static_cast<double>(settle) : swaps == first;
    if (due) {
      started = swaps;
      start = now();
    }
    return;
  }
  if (swaps - started != last - first || last <= first) return;
  const Mark end = now();
  char line[128];
  const int length = std::snprintf(line, sizeof line, "%ld %.4f %.4f\n", last - first,
                                   end.cpu - start.cpu, end.wall - start.wall);
  const char* path = std::getenv("QW_SWAP_REPORT");
  const int file = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : STDOUT_FILENO;
  if (file >= 0 && length > 0) {
    if (write(file, line, static_cast<size_t>(length)) < 0) _exit(3);
  }
  _exit(0);
}

template <typename Function>
Function next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

// The handles are passed through untouched, so plain pointer-sized types stand in for
// Display*, GLXDrawable, EGLDisplay and EGLSurface.
void glXSwapBuffers(void* display, unsigned long drawable) {
  using Swap = void (*)(void*, unsigned long);
  static const Swap real = next<Swap>("glXSwapBuffers");
  if (real) real(display, drawable);
  swapped();
}

unsigned eglSwapBuffers(void* display, void* surface) {
  using Swap = unsigned (*)(void*, void*);
  static const Swap real = next<Swap>("eglSwapBuffers");
  const unsigned result = real ? real(display, surface) : 0;
  swapped();
  return result;
}

}  // extern "C"
