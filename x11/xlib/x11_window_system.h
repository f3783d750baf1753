// The saver's window on an X11 display, with OpenGL through GLX, as the frame driver's window
// system: the same creation, frame and release sequences as the Windows saver run on it.
//
// The "device" of a window offers the GLX framebuffer configurations that can draw into it
// (those of the window's own visual), described as pixel formats, so the frame driver chooses
// among them with its usual score.
#pragma once

#include <cstdint>

#include "display/window_system.h"
#include "x11/fps_text.h"
#include "x11/frame_timer.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

struct X11Window {
  Display* display;
  Window window;
  ClientSize size;  // the window's size: read when opened, then as ConfigureNotify tells
  bool showFps;
  Settings settings;  // what loadSettings gives: the file's values and this run's options

  GLXFBConfig* configs;  // the configurations that draw into the window, XFree'd at close
  int configCount;
  int chosenConfig;    // 1-based index of the format set; 0 when none
  GLXContext context;  // the context made, null when none
  FrameTimer timer;
  FpsCounter fps;
};

// Readies the window record for an existing window; `window` is not changed in any way.
void X11WindowOpen(X11Window& record, Display* display, Window window, bool showFps,
                   const Settings& settings);

// The window now has this size (from a ConfigureNotify event): later size queries answer it.
void X11WindowResized(X11Window& record, ClientSize size);

// Frees what the record holds; the window itself is left alone.
void X11WindowClose(X11Window& record);

WindowSystem X11WindowSystem(X11Window& record);

// Chooses, by the frame driver's pixel-format score, the visual for a window the saver makes
// itself; null when the display offers no GL visual. XFree the result.
XVisualInfo* ChooseSaverVisual(Display* display, int screen);

// Milliseconds of a monotonic clock, wrapping at 2^32: the saver's tick count.
std::uint32_t MonotonicTickMs();
