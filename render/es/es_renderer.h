// The OpenGL ES 3.0 renderer: the picture of the GL 1.1 renderer drawn with shaders, within what
// WebGL 2 offers. Matrices are worked out on the processor; each line pass draws every trail
// from one vertex buffer (eight mirrored instances with symmetry); the wires are captured into a
// framebuffer texture (blitted to half size for the low-quality glow); the halo is blurred with
// one shader pass per direction by the processor blur's rules, or by the processor blur itself
// into an R8 texture; the figures come from a glyph texture. Lines are 1 pixel wide and not
// smoothed (ES has none), in the capture too, where the GL 1.1 renderer draws smoothed lines
// half a pixel wide: an unsmoothed line lights fewer pixels along a slant than a smoothed one
// covers, so wires and halo come out about a tenth dimmer. Linked into the Linux programs and the
// web page.
#pragma once

#include "driver/renderer.h"

extern const Renderer kEsRenderer;
