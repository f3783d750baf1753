// The OpenGL 1.1 renderer: fixed-function drawing in immediate mode and vertex arrays
// (wire_drawing), the glow through copied textures (glow_pass), the figures as bitmaps
// (fps_figures). Its record is the frame driver's GlowTextures. The Windows saver draws only with
// it.
#pragma once

#include "driver/renderer.h"

extern const Renderer kGl11Renderer;
