// The saver on a Wayland compositor: a surface with a flock of its own on every output (the
// saver on the overlay layer, the wallpaper on the background layer, or fullscreen windows where
// the compositor has no layer-shell), or one window; each drawn with EGL by the same frame
// driver as the other back ends, paced by the frame timer and the compositor's frame callbacks.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "wayland/surface_plan.h"

struct WaylandRun {
  WaylandMode mode;
  bool showFps;
  std::uint32_t frameLimit;  // end after this many frame timer ticks that drew; 0: no limit
  Settings settings;
};

// Runs until the saver is done and returns the process's exit status: 0 when input ends the
// saver, its window is closed, SIGTERM, SIGHUP or SIGINT comes, the frame limit is reached or the
// connection to the compositor is lost; 1 (with a message on stderr) when there is no
// compositor, it lacks what the mode needs or fails at start, EGL cannot draw a surface, or a
// flock cannot be made.
int RunWaylandSaver(const WaylandRun& run);
