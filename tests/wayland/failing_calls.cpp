// Loaded in front of the real libraries (LD_PRELOAD), this makes the call QW_FAIL names fail and
// passes every other on: context, desktop (contexts of desktop OpenGL only), surface, swap (every
// eglSwapBuffers), swap10 (the first 10), platform (EGL tells no client extensions), roundtrip,
// signalfd, flush (the program's own flushes meet EAGAIN, as on a full socket, until it waits for
// POLLOUT), scene (its own callocs).
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

#define REAL(name) reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name))

namespace {

bool Failing(const char* call) {
  const char* fail = std::getenv("QW_FAIL");
  return fail != nullptr && std::strcmp(fail, call) == 0;
}

ElfW(Addr) gProgramStart = ~ElfW(Addr){0}, gProgramEnd = 0;  // the program's own code
bool gSocketFull = true;

__attribute__((constructor)) void FindProgram() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void*) {
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Addr) start = info->dlpi_addr + info->dlpi_phdr[i].p_vaddr;
          if (info->dlpi_phdr[i].p_type != PT_LOAD) continue;
          if (start < gProgramStart) gProgramStart = start;
          if (start + info->dlpi_phdr[i].p_memsz > gProgramEnd) {
            gProgramEnd = start + info->dlpi_phdr[i].p_memsz;
          }
        }
        return 1;  // the first object is the program
      },
      nullptr);
}

bool FromProgram(void* at) {
  return reinterpret_cast<ElfW(Addr)>(at) >= gProgramStart &&
         reinterpret_cast<ElfW(Addr)>(at) < gProgramEnd;
}

}  // namespace

extern "C" {

EGLContext eglCreateContext(EGLDisplay d, EGLConfig c, EGLContext share, const EGLint* a) {
  const bool desktop = Failing("desktop") && eglQueryAPI() == EGL_OPENGL_API;
  return Failing("context") || desktop ? EGL_NO_CONTEXT : REAL(eglCreateContext)(d, c, share, a);
}

EGLSurface eglCreateWindowSurface(EGLDisplay d, EGLConfig c, EGLNativeWindowType w,
                                  const EGLint* a) {
  return Failing("surface") ? EGL_NO_SURFACE : REAL(eglCreateWindowSurface)(d, c, w, a);
}

EGLBoolean eglSwapBuffers(EGLDisplay d, EGLSurface s) {
  static int swaps = 0;
  const bool fail = Failing("swap") || (Failing("swap10") && ++swaps <= 10);
  return fail ? EGL_FALSE : REAL(eglSwapBuffers)(d, s);
}

const char* eglQueryString(EGLDisplay d, EGLint name) {
  const bool fail = Failing("platform") && d == EGL_NO_DISPLAY && name == EGL_EXTENSIONS;
  return fail ? nullptr : REAL(eglQueryString)(d, name);
}

int wl_display_roundtrip(wl_display* d) {
  return Failing("roundtrip") ? -1 : REAL(wl_display_roundtrip)(d);
}

int wl_display_flush(wl_display* d) {
  if (!Failing("flush") || !gSocketFull || !FromProgram(__builtin_return_address(0))) {
    return REAL(wl_display_flush)(d);
  }
  errno = EAGAIN;
  return -1;
}

int ppoll(pollfd* fds, nfds_t count, const timespec* timeout, const sigset_t* mask) {
  for (nfds_t i = 0; i < count; ++i) {
    if ((fds[i].events & POLLOUT) != 0 && FromProgram(__builtin_return_address(0))) {
      gSocketFull = false;
    }
  }
  return REAL(ppoll)(fds, count, timeout, mask);
}

int signalfd(int fd, const sigset_t* mask, int flags) {
  if (!Failing("signalfd")) return REAL(signalfd)(fd, mask, flags);
  errno = EMFILE;
  return -1;
}

void* calloc(std::size_t count, std::size_t size) {
  const bool fail = FromProgram(__builtin_return_address(0)) && Failing("scene");
  return fail ? nullptr : __libc_calloc(count, size);
}

}  // extern "C"
