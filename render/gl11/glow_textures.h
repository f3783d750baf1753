// The two texture names the glow pass draws through, and how it blurs. The frame driver owns
// them for the life of the saver window: they are made while the GL context is being set up and
// given back, and zeroed, when the window is destroyed.
#pragma once

#include <cstdint>

#include "render/glow_path.h"
#include "render/software_blur.h"

enum GlowTextureIndex : int {
  GlowCaptureTexture = 0,  // the small copy of the wires
  GlowBlurTexture = 1,     // the blurred halo
};

struct GlowTextures {
  std::uint32_t names[2];  // GL texture names, capture first, blur second; 0 when not made
  GlowBlurPath path;       // where the halo is blurred
  bool trimmed;            // the software path's calls trimmed to the halo's lit part (Linux)
  bool colourClearOnly;    // the frame clears only the colour buffer: nothing reads the depth
                           // buffer (Linux; the Windows saver clears both, as it always has)
  SoftwareBlur software;   // the processor's buffers on the software path; empty otherwise
};
