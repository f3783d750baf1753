// The X11 back end's one entry (x11/xlib/x11_saver.cpp), or in a build without Xlib and GLX, a
// stand-in (x11/stub/) that says so. The program (program/) decides what the run is.
#pragma once

#include <cstdint>
#include <string>

#include "settings/settings.h"

// Where the saver draws on X11.
enum class X11Target : std::uint8_t {
  OwnWindow,    // a window of its own; ends when it is closed
  FullScreen,   // a window over the whole screen that ends on input
  RootWindow,   // the root window, or the window xscreensaver names; ends when told or it goes
  GivenWindow,  // a window made by another program; ends when told or that window goes
};

struct X11Run {
  X11Target target;
  std::uint64_t windowId;   // for GivenWindow
  std::string displayName;  // empty: $DISPLAY
  bool showFps;
  std::uint32_t frameLimit;  // end after this many frames; 0: no limit
  Settings settings;
};

// Runs until the saver is done and returns the process's exit status: 0 when it is closed, its
// window goes, input ends a full-screen saver, SIGTERM, SIGHUP or SIGINT comes or the frame
// limit is reached; 1 when the display, an OpenGL visual or the window given cannot be had, or the
// flock cannot be made (with a message on stderr).
int RunX11Saver(const X11Run& run);
