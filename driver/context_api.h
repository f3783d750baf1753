// Which OpenGL a window system made its context with: what the frame driver chooses the renderer
// by.
#pragma once

#include <cstdint>

enum class ContextApi : std::uint8_t {
  DesktopGl = 0,  // OpenGL 1.1 or later, with the fixed-function pipeline
  Es3 = 1,        // OpenGL ES 3.0 or later
};
