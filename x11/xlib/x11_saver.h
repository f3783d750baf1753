// The saver on an X11 display (x11/xlib/x11_saver.cpp), or in a build without Xlib and GLX, a
// stand-in (x11/stub/) that says so.
#pragma once

#include "settings/settings.h"
#include "x11/saver_options.h"

// Runs until the saver is done and returns the process's exit status: 0 when it is closed, its
// window goes, input ends a full-screen saver, SIGTERM or SIGINT comes or the frame limit is
// reached; 1 when the display, an OpenGL visual or the window given cannot be had (with a
// message on stderr).
int RunX11Saver(const SaverOptions& options, const Settings& settings);
