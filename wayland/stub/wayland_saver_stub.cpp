// The Wayland saver of a build made without libwayland, EGL or the Wayland protocol descriptions:
// it says so and ends with 1.
#include <cstdio>

#include "wayland/client/wayland_saver.h"

int RunWaylandSaver(const WaylandRun&) {
  std::fprintf(stderr,
               "quellwire: this build cannot draw on Wayland (built without libwayland, EGL or "
               "the layer-shell protocol); use -x11 under Xwayland\n");
  return 1;
}
