// The saver's window on an X11 display, with OpenGL through GLX, as the frame driver's window
// system: the same creation, frame and release sequences as every other saver run on it. The
// formats it can be drawn with are the GLX framebuffer configurations of the window's own visual.
#pragma once

#include <cstdint>

#include "driver/window_system.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

struct X11Window {
  Display* display;
  Window window;
  ClientSize size;  // the window's size: read when opened, then as ConfigureNotify tells

  GLXFBConfig* configs;  // the configurations that draw into the window, XFree'd at close
  int configCount;
  GLXContext context;  // the context made, null when none
};

// Readies the window record for an existing window; `window` is not changed in any way.
void X11WindowOpen(X11Window& record, Display* display, Window window);

// The window now has this size (from a ConfigureNotify event): later size queries answer it.
void X11WindowResized(X11Window& record, ClientSize size);

// Frees what the record holds; the window itself is left alone.
void X11WindowClose(X11Window& record);

WindowSystem X11WindowSystem(X11Window& record);

// Chooses, by the shared format score, the visual for a window the saver makes
// itself; null when the display offers no GL visual. XFree the result.
XVisualInfo* ChooseSaverVisual(Display* display, int screen);
