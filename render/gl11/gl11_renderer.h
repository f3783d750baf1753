// The OpenGL 1.1 renderer: the frame driver's fixed-function drawing in immediate mode and vertex
// arrays, the glow through copied textures (render/glow_pass), the figures as bitmaps
// (render/fps_overlay). Its record is the frame driver's GlowTextures. The Windows saver draws only
// with it.
#pragma once

#include "driver/renderer.h"

extern const Renderer kGl11Renderer;
