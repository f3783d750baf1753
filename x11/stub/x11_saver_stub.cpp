// The X11 back end of a build made without Xlib and GLX: it says so and ends with 1.
#include <cstdio>

#include "x11/xlib/x11_saver.h"

int RunX11Saver(const X11Run&) {
  std::fprintf(stderr,
               "quellwire: this build cannot draw on X11 (built without Xlib and GLX); it draws "
               "only on Wayland, in a session where WAYLAND_DISPLAY is set\n");
  return 1;
}
