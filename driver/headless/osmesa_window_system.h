// A window without a window system: an OSMesa context drawing into a memory buffer, or an
// OpenGL ES 3 context through EGL without a surface whose pictures are read back into the same
// memory. The frame sequences run on it unchanged, so the native renderer and the native tests
// can create, draw and release exactly as a saver window does, with either renderer.
#pragma once

#include <cstdint>

#include "driver/renderer.h"
#include "driver/window_system.h"

struct HeadlessWindow {
  // What the window reports as its size; may be 0 x 0.
  std::int32_t clientWidth;
  std::int32_t clientHeight;
  // The formats it can be drawn with, in index order (index 1 is formats[0]).
  const SurfaceFormat* formats;
  int formatCount;

  // The memory the context draws into: RGBA, bottom row first, at least 1 x 1.
  std::int32_t surfaceWidth;
  std::int32_t surfaceHeight;
  std::uint8_t* pixels;

  // The context createContext makes: OSMesa's desktop GL (the default) or ES 3 through EGL.
  // Set after opening.
  ContextApi api;
  // ES 3 only: the framebuffer's samples (above 1: multisampled, as a window's may be).
  std::int32_t esSamples;

  // What the frame sequences did to it.
  int format;     // the 1-based index of the format chosen; 0 when none
  void* context;  // the OSMesa context or the EGL one, null when none was made
  std::uint32_t swapCount;
  // The tick count it reports, set by its user.
  std::uint32_t tickMs;
};

// The one format an OSMesa surface offers: software OpenGL into memory, single-buffered, RGBA,
// 32 colour and 16 depth bits.
extern const SurfaceFormat HeadlessSurfaceFormat;

// Prepares a window of the given size offering the given formats, and obtains its drawing
// memory. False when the memory cannot be obtained; the window is then unusable.
bool HeadlessWindowOpen(HeadlessWindow& window, std::int32_t clientWidth, std::int32_t clientHeight,
                        const SurfaceFormat* formats, int formatCount);

// The window takes a new size, as a window does when its user or its owner resizes it: its
// drawing memory is made anew for that size (black), and a context current on the window draws
// into the new memory. False when the memory cannot be obtained; the window keeps its old size.
bool HeadlessWindowResize(HeadlessWindow& window, std::int32_t clientWidth,
                          std::int32_t clientHeight);

// Destroys any context still left and frees the drawing memory.
void HeadlessWindowClose(HeadlessWindow& window);

// The renderers a headless window draws with: the GL 1.1 one on OSMesa, the ES one on ES 3.
extern const RendererTable kHeadlessRenderers;

// The window-system operations acting on this window.
WindowSystem HeadlessWindowSystem(HeadlessWindow& window);

// The RGBA pixel at (x, y), y counted from the bottom row.
const std::uint8_t* HeadlessPixel(const HeadlessWindow& window, std::int32_t x, std::int32_t y);
