// The halo's blur computed on the processor, for software renderers, where drawing the 17
// shifted copies of the blur square costs far more than computing them.
//
// It gives the picture the GL blur gives, computed the way a renderer with 8-bit colour
// computes it: each tap is a linear sample of the square (clamped at the edges, black beyond
// them, as GL_CLAMP samples), scaled by the tap alpha 0.2 and rounded to 8 bits, and each sum
// saturates at 255. The white wires make the capture grey, so one channel is blurred and the
// halo is one channel too. Pure code over buffers obtained once: nothing is allocated per frame.
// Only the pixels a tap carries a lit pixel to are computed; the rest of each row stays black,
// and the halo's rows say where they may be lit.
#pragma once

#include <cstdint>

#include "render/glow_sizes.h"

struct SoftwareBlur {
  std::int32_t captureSide;  // the capture square, read back as RGBA
  std::int32_t blurSide;     // the blur square: the capture side or half of it
  std::uint8_t* capture;     // captureSide^2 RGBA pixels, bottom row first, as glReadPixels gives
  float* source;             // the blur square's grey values, blurSide^2, one black row, one more
  float* across;             // the horizontal pass's saturated result, blurSide^2
  std::uint8_t* halo;        // the finished halo, blurSide^2 grey bytes, bottom row first
  BlurSpan* acrossSpans;     // where each row of across may be lit
  BlurSpan* haloSpans;       // where each row of the halo may be lit
  std::uint64_t* haloCells;  // where each group of rows is lit, as GlowHaloMap's groups
};

// Obtains the buffers for a capture square and a blur square of the same side or half of it
// (at least 1). False, with nothing kept, for other sides or when storage is not obtained.
bool softwareBlurInit(SoftwareBlur& blur, std::int32_t captureSide, std::int32_t blurSide);

// Gives the buffers back and leaves the record empty; an empty record is left as it is.
void softwareBlurRelease(SoftwareBlur& blur);

// The halo of the capture: the capture scaled into the blur square (a copy, or the average of
// each 2 x 2 block when the blur square is half the capture), then the horizontal pass (a fifth
// of each pixel plus a fifth of each of the eight taps of tapOffsetsU, in texels of the blur
// square) and the vertical pass (the horizontal result plus a fifth of each of the eight taps
// of tapOffsetsV). Reads the green channel, which equals the others in a grey capture.
void softwareBlurRun(SoftwareBlur& blur, const float tapOffsetsU[8], const float tapOffsetsV[8]);

// softwareBlurRun with the glow's taps (glowTapOffset) for the window's aspect, in texels of the
// blur square, as both renderers blur on the processor.
void softwareBlurRunForAspect(SoftwareBlur& blur, GlowAspectFactors aspect);
