// Which display system a run of `quellwire` draws on: X11 or Wayland, from the options given and
// the session's environment. A Wayland session (WAYLAND_DISPLAY set) is spoken to natively
// unless an option that only means something on X11 is given; -x11 and -wayland force one.
#pragma once

#include <cstdint>

#include "program/saver_options.h"

enum class DisplaySystem : std::uint8_t { X11, Wayland };

struct DisplayFacts {
  DisplayRequest request;
  bool drawsInX11Window;    // -root or -window-id
  bool background;          // -background (Wayland's background layer)
  bool displayNamed;        // -display
  bool xscreensaverWindow;  // XSCREENSAVER_WINDOW is set and would be drawn in (no target or -root)
  bool x11Session;          // DISPLAY is set and not empty
  bool waylandSession;      // WAYLAND_DISPLAY is set and not empty
};

struct DisplayChoice {
  bool refused;  // the options cannot be carried out here: print `refusal`, end with 1
  DisplaySystem system;
  const char* refusal;  // for `refused`: the message, without the program's name
};

// X11 when forced, when an X11-only option (-root, -window-id, -display) is given, when
// xscreensaver gives its window, or outside a Wayland session; Wayland otherwise. Refused:
// -background anywhere but on Wayland, an X11-only option with -wayland, and -root or
// -window-id where there is no X11 display to draw on.
DisplayChoice chooseDisplaySystem(const DisplayFacts& facts);

// The environment variables the choice reads; null when not set.
struct SaverEnvironment {
  const char* display;             // DISPLAY
  const char* waylandDisplay;      // WAYLAND_DISPLAY
  const char* xscreensaverWindow;  // XSCREENSAVER_WINDOW
};

// The facts of a run with these options (before applySaverWindowEnvironment) here.
DisplayFacts saverDisplayFacts(const SaverOptions& options, const SaverEnvironment& environment);
