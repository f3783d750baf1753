// The two texture names the glow pass draws through. The frame driver owns them for the life of
// the saver window: they are made while the GL context is being set up and deleted, and zeroed,
// when the window is destroyed.
#pragma once

#include "render/gl_api.h"

enum GlowTextureIndex : int {
  GlowCaptureTexture = 0,  // the small copy of the wires
  GlowBlurTexture = 1,     // the blurred halo
};

struct GlowTextures {
  GLuint names[2];  // capture first, blur second; 0 when not made
};
