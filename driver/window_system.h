// The window-system operations the frame sequences need, as one record of functions. Each back
// end carries them out with its own platform (Win32 and WGL, Xlib and GLX, OSMesa in memory,
// ...) on a record of its own that `window` points to. The seam holds only what drawing needs:
// the back end's own loop owns its timer, its settings and how the process ends.
#pragma once

#include <cstdint>

#include "driver/context_api.h"
#include "driver/surface_format.h"

struct ClientSize {
  std::int32_t width;
  std::int32_t height;
};

struct WindowSystem {
  void* window;  // the back end's record of the window drawn in

  // The size of the area drawn in, in pixels; may be 0 x 0.
  ClientSize (*clientSize)(void* window);
  // Chooses, with chooseSurfaceFormat, the best of the formats the window can be drawn with and
  // makes a GL context for it, not yet current. False when no context could be made; the frames
  // then draw nothing.
  bool (*createContext)(void* window, const SurfaceRequest& request);
  // Makes the window's context current on this thread, or (false) none current.
  void (*makeCurrent)(void* window, bool current);
  // Shows the finished frame.
  void (*swapBuffers)(void* window);
  // Deletes the context and gives back what drawing took of the window. The context is no longer
  // current when this is called.
  void (*destroyContext)(void* window);
  // Milliseconds of a steady clock, wrapping at 2^32.
  std::uint32_t (*tickCount)(void* window);
  // Which OpenGL the context made is; a back end that only makes desktop contexts leaves it
  // null.
  ContextApi (*contextApi)(void* window) = nullptr;
};
