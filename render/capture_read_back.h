// Reading the glow's capture back for the processor blur, the same way in both renderers: what
// it takes of a renderer's own GL is given as two calls.
#pragma once

#include <cstdint>

#include "render/glow_sizes.h"
#include "render/software_blur.h"

struct CaptureReadBack {
  const void* gl;                        // what the calls are made through
  bool (*errorFlagged)(const void* gl);  // glGetError, true for anything but GL_NO_ERROR
  // glPixelStorei(GL_PACK_ALIGNMENT, 1), then glReadPixels of the side x side square at the
  // origin as RGBA bytes.
  void (*readSquare)(const void* gl, std::int32_t side, std::uint8_t* rgba);
};

// Reads the capture square back into the blur's buffer and blurs it for the window's aspect.
// Errors still flagged from before are cleared first (GL keeps one per kind, a handful at most),
// so that only the read-back's own is seen. False when the read-back failed: the blur's buffers
// are then given back, and the renderer blurs with GL from then on.
bool captureReadBackAndBlur(SoftwareBlur& blur, const CaptureReadBack& readBack,
                            GlowAspectFactors aspect);
