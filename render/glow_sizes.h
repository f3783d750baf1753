// The sizes the glow pass works at, from the window's client size: the square the wires are
// captured in, the square the blur runs in, and the factors that keep the blur round on a
// window that is not square.
//
// Windows too small for a halo are made safe here, so that no caller divides by zero, shifts by
// a negative count or asks GL for an empty texture:
// - a side of 0 or less counts as 0, and a window with a side of 0 has no pixels to draw;
// - the squares are never smaller than 1 x 1 (a smaller side of 0 or 1 gives 1, in both modes);
// - a window without height has aspect factors 1 and 1.
#pragma once

#include <cstdint>

#include "settings/glow_and_color.h"

// The largest power of two not above the smaller side, and at least 1: the capture square and
// the side of both glow textures.
std::int32_t glowCaptureSize(std::int32_t width, std::int32_t height);

// The square the blur runs in: half the capture square in the mode that blurs at half (low
// quality), the capture square itself otherwise; at least 1.
std::int32_t glowBlurSize(std::int32_t width, std::int32_t height, GlowMode glowMode);

struct GlowAspectFactors {
  float fx;  // scales horizontal tap offsets: height / width on a wide window, else 1
  float fy;  // scales vertical tap offsets: width / height on a tall window, else 1
};

GlowAspectFactors glowAspectFactors(std::int32_t width, std::int32_t height);

// The blur's taps: kGlowTapsPerSide shifted copies each way, spaced kGlowTapSpacing of the blur
// square apart (times the aspect factor), each added at kGlowTapAlpha.
inline constexpr double kGlowTapSpacing = 0.0015;
inline constexpr int kGlowTapsPerSide = 4;
inline constexpr float kGlowTapAlpha = 0.2f;

// The offset of tap i (1 to kGlowTapsPerSide) in texture coordinates: the spacing times i times
// the aspect factor of its direction, rounded once to float.
inline float glowTapOffset(int i, float factor) {
  return static_cast<float>(kGlowTapSpacing * i * factor);
}

// Where a row of the halo may be lit: texels [lo, hi), none when lo == hi; black outside.
struct BlurSpan {
  std::int32_t lo;
  std::int32_t hi;
};

// A rectangle of the window in pixels from its lower-left corner, as glScissor takes it.
struct GlowBand {
  std::int32_t x;
  std::int32_t y;
  std::int32_t width;
  std::int32_t height;
};

// Where a halo of side x side texels, row 0 at the bottom, is lit: each row only within its
// span, and each group of kGlowCellRows rows only in the cells whose bits are set, a cell being
// one of 64 equal runs of columns (one column each for a side below 64).
inline constexpr std::int32_t kGlowCellRows = 16;
struct GlowHaloMap {
  const BlurSpan* rows;         // side spans
  const std::uint64_t* groups;  // one mask per kGlowCellRows rows (the last group may be short)
  std::int32_t side;
};

// The columns of a halo's side that one cell holds: [cell * width, (cell + 1) * width).
inline std::int32_t glowCellWidth(std::int32_t side) { return side >= 64 ? side / 64 : 1; }

// The window's rows are cut into this many bands for the composite, each into at most
// kGlowRunsPerBand rectangles.
inline constexpr int kGlowBands = 64;
inline constexpr int kGlowRunsPerBand = 4;
inline constexpr int kGlowMaxRects = kGlowBands * kGlowRunsPerBand;

// Where the halo can light the window it is stretched over with linear filtering: for each band
// of the window's rows, the runs of columns whose samples may read a lit texel of the rows the
// band samples, with a margin of a texel row and two pixels for rounding; runs less than a
// tenth of the window apart are joined, bands lit nowhere left out, and neighbouring bands lit in
// the same columns joined. Fills at most kGlowMaxRects rectangles and returns how many.
int glowCompositeBands(const GlowHaloMap& halo, std::int32_t width, std::int32_t height,
                       GlowBand* bands);

// False when either side is 0 or less: such a window shows nothing, so nothing is drawn.
inline bool windowHasPixels(std::int32_t width, std::int32_t height) {
  return width > 0 && height > 0;
}
