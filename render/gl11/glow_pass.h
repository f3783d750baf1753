// The glow: each frame the wires are drawn small and thin into a power-of-two square in the
// corner of the back buffer, copied into a texture, blurred there horizontally and then
// vertically with shifted faint copies of themselves, stretched over the whole window tinted
// with the scene colour, and finally drawn once more, white, at full size on top.
#pragma once

#include <cstdint>

#include "render/gl11/glow_textures.h"
#include "sim/scene.h"

// Makes the capture and blur textures (clamped, linearly filtered, no mipmaps), each a black
// square the size of the capture square of the given client size, and leaves the blur texture
// bound; chooses where the halo is blurred from the request and the context's GL_RENDERER, and
// on the software path obtains the processor's buffers for the glow mode's squares and makes the
// blur texture the blur square's size (falling back to GL when they are not obtained).
// Trimmed (the Linux programs), each frame clears only the colour buffer, the depth buffer
// being never tested, and the software path's halo is a GL_LUMINANCE8 texture (the same grey
// picture, sent without being widened to RGB) composited only where it may light the window;
// untrimmed, the calls are those the Windows saver has always made. Needs a current GL context.
void createGlowTextures(GlowTextures& textures, std::int32_t windowWidth, std::int32_t windowHeight,
                        GlowMode glowMode, GlowBlurRequest request, bool trimmed = false);

// Deletes the textures, gives the buffers back and zeroes the record. Needs the context current.
void releaseGlowTextures(GlowTextures& textures);

// The same without a GL call, for when the context is already gone with its window: the buffers
// are given back and the names forgotten.
void forgetGlowTextures(GlowTextures& textures);

// The whole drawing of one frame into a cleared back buffer. GlowMode::None draws the wires once
// in the scene colour; LowQuality blurs at half the capture size, HighQuality (and any number
// above 3) at the full capture size; WiresOnly shows the white wires without a halo. On the
// software path the capture is read back and blurred by the processor, and the halo sent to the
// blur texture; should the read-back fail, the pass falls back to GL for good. Leaves blending on
// with (GL_SRC_ALPHA, GL_ONE), GL_TEXTURE_2D enabled, line width 1, the viewport over the whole
// window, the matrix mode GL_PROJECTION and, when a halo is drawn, the blur texture bound.
void renderWithGlow(const Scene& scene, GlowTextures& textures);
