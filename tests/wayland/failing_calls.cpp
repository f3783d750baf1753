// Loaded in front of the real libraries (LD_PRELOAD), this makes one call fail as QW_FAIL says,
// and passes every other call on: context (eglCreateContext), surface (eglCreateWindowSurface),
// swap (every eglSwapBuffers), swap20 (the first 20), platform (EGL tells no client extensions),
// roundtrip (wl_display_roundtrip), signalfd, flush (the program's own wl_display_flush calls
// meet EAGAIN, as with a full socket, until it waits for the socket to take more: a poll or ppoll
// for POLLOUT), scene (the program's own calloc calls).
#include <EGL/egl.h>
#include <dlfcn.h>
#include <link.h>
#include <poll.h>
#include <sys/signalfd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern "C" void* __libc_calloc(std::size_t, std::size_t);

namespace {

bool Failing(const char* call) {
  const char* fail = std::getenv("QW_FAIL");
  return fail != nullptr && std::strcmp(fail, call) == 0;
}

template <typename F>
F Real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Where the program's own code lies (its first loaded segment's start to its last's end).
ElfW(Addr) gProgramStart = 0, gProgramEnd = 0;

int FindProgram(dl_phdr_info* info, std::size_t, void*) {
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& header = info->dlpi_phdr[i];
    if (header.p_type != PT_LOAD) continue;
    const ElfW(Addr) start = info->dlpi_addr + header.p_vaddr;
    if (gProgramStart == 0 || start < gProgramStart) gProgramStart = start;
    if (start + header.p_memsz > gProgramEnd) gProgramEnd = start + header.p_memsz;
  }
  return 1;  // the first object is the program
}

__attribute__((constructor)) void Start() { dl_iterate_phdr(FindProgram, nullptr); }

bool FromProgram(void* returnAddress) {
  const auto caller = reinterpret_cast<ElfW(Addr)>(returnAddress);
  return gProgramEnd != 0 && caller >= gProgramStart && caller < gProgramEnd;
}

bool gSocketFull = true;

void NoteWait(const pollfd* fds, nfds_t count, void* returnAddress) {
  for (nfds_t i = 0; i < count; ++i) {
    if ((fds[i].events & POLLOUT) != 0 && FromProgram(returnAddress)) gSocketFull = false;
  }
}

}  // namespace

extern "C" {

EGLContext eglCreateContext(EGLDisplay display, EGLConfig config, EGLContext share,
                            const EGLint* attributes) {
  if (Failing("context")) return EGL_NO_CONTEXT;
  return Real<decltype(&eglCreateContext)>("eglCreateContext")(display, config, share, attributes);
}

EGLSurface eglCreateWindowSurface(EGLDisplay display, EGLConfig config, EGLNativeWindowType window,
                                  const EGLint* attributes) {
  if (Failing("surface")) return EGL_NO_SURFACE;
  return Real<decltype(&eglCreateWindowSurface)>("eglCreateWindowSurface")(display, config, window,
                                                                           attributes);
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface) {
  static int swaps = 0;
  if (Failing("swap") || (Failing("swap20") && ++swaps <= 20)) return EGL_FALSE;
  return Real<decltype(&eglSwapBuffers)>("eglSwapBuffers")(display, surface);
}

const char* eglQueryString(EGLDisplay display, EGLint name) {
  if (Failing("platform") && display == EGL_NO_DISPLAY && name == EGL_EXTENSIONS) return nullptr;
  return Real<decltype(&eglQueryString)>("eglQueryString")(display, name);
}

int wl_display_roundtrip(wl_display* display) {
  if (Failing("roundtrip")) return -1;
  return Real<decltype(&wl_display_roundtrip)>("wl_display_roundtrip")(display);
}

int wl_display_flush(wl_display* display) {
  if (Failing("flush") && gSocketFull && FromProgram(__builtin_return_address(0))) {
    errno = EAGAIN;
    return -1;
  }
  return Real<decltype(&wl_display_flush)>("wl_display_flush")(display);
}

int poll(pollfd* fds, nfds_t count, int timeout) {
  NoteWait(fds, count, __builtin_return_address(0));
  return Real<decltype(&poll)>("poll")(fds, count, timeout);
}

int ppoll(pollfd* fds, nfds_t count, const timespec* timeout, const sigset_t* mask) {
  NoteWait(fds, count, __builtin_return_address(0));
  return Real<decltype(&ppoll)>("ppoll")(fds, count, timeout, mask);
}

int signalfd(int fd, const sigset_t* mask, int flags) {
  if (Failing("signalfd")) {
    errno = EMFILE;
    return -1;
  }
  return Real<decltype(&signalfd)>("signalfd")(fd, mask, flags);
}

void* calloc(std::size_t count, std::size_t size) {
  if (FromProgram(__builtin_return_address(0)) && Failing("scene")) return nullptr;
  return __libc_calloc(count, size);
}

}  // extern "C"
