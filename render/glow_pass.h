// The glow: each frame the wires are drawn small and thin into a power-of-two square in the
// corner of the back buffer, copied into a texture, blurred there horizontally and then
// vertically with shifted faint copies of themselves, stretched over the whole window tinted
// with the scene colour, and finally drawn once more, white, at full size on top.
#pragma once

#include <cstdint>

#include "render/glow_textures.h"
#include "sim/scene.h"

// Makes the capture and blur textures (clamped, linearly filtered, no mipmaps), each a black
// square the size of the capture square of the given client size, and leaves the blur texture
// bound. Needs a current GL context.
void createGlowTextures(GlowTextures& textures, std::int32_t windowWidth,
                        std::int32_t windowHeight);

// The whole drawing of one frame into a cleared back buffer. Glow mode 0 draws the wires once in
// the scene colour; mode 1 blurs at half the capture size, mode 2 (and any mode above 3) at the
// full capture size; mode 3 shows the white wires without a halo. Leaves blending on with
// (GL_SRC_ALPHA, GL_ONE), GL_TEXTURE_2D enabled, line width 1, the viewport over the whole
// window, the matrix mode GL_PROJECTION and, when a halo is drawn, the blur texture bound.
void renderWithGlow(const Scene& scene, const GlowTextures& textures);
