#include "render/software_blur.h"

#include <cmath>
#include <cstddef>

#include "render/glow_sizes.h"
#include "sim/storage.h"

namespace {

constexpr int kTaps = 2 * kGlowTapsPerSide;

// Rounds to the nearest whole number, halves to even, for |value| < 2^22: adding and taking
// away 1.5 x 2^23 leaves no fraction bits. Plain additions, so the loops below vectorise.
inline float roundToWhole(float value) {
  constexpr float kShift = 12582912.0f;
  return (value + kShift) - kShift;
}

constexpr float kUnit = 1.0f / 255.0f;

inline float saturated(float value) { return value < 255.0f ? value : 255.0f; }

std::size_t area(std::int32_t side) {
  return static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
}

// One tap over count pixels: a fifth of the linear sample between a[x] and b[x] at weight
// toward b, rounded, added to the sum.
void addTap(float* __restrict sum, const float* __restrict a, const float* __restrict b,
            float weight, std::int32_t count) {
  for (std::int32_t x = 0; x < count; ++x) {
    const float value = a[x] + weight * (b[x] - a[x]);
    sum[x] += roundToWhole(value * kGlowTapAlpha);
  }
}

// Where a tap at offset texels from position samples in a line of side texels, as GL_CLAMP
// with linear filtering samples: the position clamped to [-0.5, side - 0.5], the texel below
// it, and the weight of the one above. Texels outside the line are black.
struct LineSample {
  std::int32_t below;
  float weight;
};

LineSample lineSample(std::int32_t position, float offset, std::int32_t side) {
  float u = static_cast<float>(position) + offset;
  if (u < -0.5f) u = -0.5f;
  const float last = static_cast<float>(side) - 0.5f;
  if (u > last) u = last;
  const float below = std::floor(u);
  return LineSample{static_cast<std::int32_t>(below), u - below};
}

// An offset beyond the square samples only its clamped edge, as one of the square's side does;
// one that is not a number samples in place.
float boundedOffset(float offset, std::int32_t side) {
  const float limit = static_cast<float>(side);
  if (offset > limit) return limit;
  if (offset < -limit) return -limit;
  return offset == offset ? offset : 0.0f;
}

float texelOrBlack(const float* line, std::int32_t index, std::int32_t side) {
  return index >= 0 && index < side ? line[index] : 0.0f;
}

// A tap over pixels [from, to) of a row whose samples may reach past its edges: each sample
// clamped and black beyond, one by one.
void addClampedTap(float* sum, const float* row, std::int32_t from, std::int32_t to, float offset,
                   std::int32_t side) {
  for (std::int32_t x = from; x < to; ++x) {
    const LineSample s = lineSample(x, offset, side);
    const float a = texelOrBlack(row, s.below, side);
    const float value = a + s.weight * (texelOrBlack(row, s.below + 1, side) - a);
    sum[x] += roundToWhole(value * kGlowTapAlpha);
  }
}

// The blur square's grey values from the capture's green channel: a copy, or each 2 x 2 block
// averaged when the blur square is half the capture.
void fillSource(const SoftwareBlur& blur) {
  const std::int32_t c = blur.captureSide;
  const std::int32_t b = blur.blurSide;
  const std::uint8_t* green = blur.capture + 1;
  if (b == c) {
    for (std::size_t i = 0; i < area(b); ++i) blur.source[i] = green[4 * i];
    return;
  }
  for (std::int32_t y = 0; y < b; ++y) {
    const std::uint8_t* lower = green + static_cast<std::size_t>(2 * y) * c * 4;
    const std::uint8_t* upper = lower + static_cast<std::size_t>(c) * 4;
    float* row = blur.source + static_cast<std::size_t>(y) * b;
    for (std::int32_t x = 0; x < b; ++x) {
      // As a linear sample halfway between the four computes it: in fractions of full
      // intensity, each pair of the row first, then the two rows, rounded at the end.
      const float lowerLeft = lower[8 * x] * kUnit;
      const float lowerMiddle = lowerLeft + 0.5f * (lower[8 * x + 4] * kUnit - lowerLeft);
      const float upperLeft = upper[8 * x] * kUnit;
      const float upperMiddle = upperLeft + 0.5f * (upper[8 * x + 4] * kUnit - upperLeft);
      const float middle = lowerMiddle + 0.5f * (upperMiddle - lowerMiddle);
      row[x] = roundToWhole(middle * 255.0f);
    }
  }
}

// Each row: a fifth of itself plus a fifth of its eight horizontal taps, saturated.
void horizontalPass(const SoftwareBlur& blur, const float offsets[kTaps]) {
  const std::int32_t side = blur.blurSide;
  for (std::int32_t y = 0; y < side; ++y) {
    const float* row = blur.source + static_cast<std::size_t>(y) * side;
    float* sum = blur.across + static_cast<std::size_t>(y) * side;
    for (std::int32_t x = 0; x < side; ++x) sum[x] = roundToWhole(row[x] * kGlowTapAlpha);
    for (int tap = 0; tap < kTaps; ++tap) {
      const float offset = offsets[tap];
      // Inside, every pixel samples the same two neighbours' weight; pixels whose sample
      // reaches past an edge take the clamped sample one by one.
      const float whole = std::floor(offset);
      const LineSample inside{static_cast<std::int32_t>(whole), offset - whole};
      std::int32_t first = -inside.below;
      std::int32_t end = side - 1 - inside.below;
      if (first < 0) first = 0;
      if (end > side) end = side;
      if (end < first) end = first;
      addClampedTap(sum, row, 0, first, offset, side);
      if (end > first) {
        const float* a = row + first + inside.below;
        addTap(sum + first, a, a + 1, inside.weight, end - first);
      }
      addClampedTap(sum, row, end, side, offset, side);
    }
    for (std::int32_t x = 0; x < side; ++x) sum[x] = saturated(sum[x]);
  }
}

// Each row of the horizontal result at full weight plus a fifth of its eight vertical taps,
// saturated, into the halo. The rows beyond the edges are the black row after the source.
void verticalPass(const SoftwareBlur& blur, const float offsets[kTaps]) {
  const std::int32_t side = blur.blurSide;
  const float* black = blur.source + area(side);
  float* sum = blur.source;  // the source is not needed again: its first row sums
  for (std::int32_t y = 0; y < side; ++y) {
    const float* own = blur.across + static_cast<std::size_t>(y) * side;
    for (std::int32_t x = 0; x < side; ++x) sum[x] = own[x];
    for (int tap = 0; tap < kTaps; ++tap) {
      const LineSample s = lineSample(y, offsets[tap], side);
      const float* a = s.below >= 0 && s.below < side
                           ? blur.across + static_cast<std::size_t>(s.below) * side
                           : black;
      const float* b = s.below + 1 >= 0 && s.below + 1 < side
                           ? blur.across + static_cast<std::size_t>(s.below + 1) * side
                           : black;
      addTap(sum, a, b, s.weight, side);
    }
    std::uint8_t* halo = blur.halo + static_cast<std::size_t>(y) * side;
    for (std::int32_t x = 0; x < side; ++x) {
      halo[x] = static_cast<std::uint8_t>(saturated(sum[x]));
    }
  }
}

}  // namespace

bool softwareBlurInit(SoftwareBlur& blur, std::int32_t captureSide, std::int32_t blurSide) {
  blur = SoftwareBlur{};
  if (blurSide < 1 || (blurSide != captureSide && 2 * blurSide != captureSide)) return false;
  blur.captureSide = captureSide;
  blur.blurSide = blurSide;
  // The source has one more row, kept black: the vertical pass reads it beyond the edges.
  if (!storageObtainArray(blur.capture, area(captureSide) * 4) ||
      !storageObtainArray(blur.source, area(blurSide) + static_cast<std::size_t>(blurSide)) ||
      !storageObtainArray(blur.across, area(blurSide)) ||
      !storageObtainArray(blur.halo, area(blurSide))) {
    softwareBlurRelease(blur);
    return false;
  }
  return true;
}

void softwareBlurRelease(SoftwareBlur& blur) {
  storageRelease(blur.capture);
  storageRelease(blur.source);
  storageRelease(blur.across);
  storageRelease(blur.halo);
  blur = SoftwareBlur{};
}

void softwareBlurRun(SoftwareBlur& blur, const float tapOffsetsU[8], const float tapOffsetsV[8]) {
  if (blur.capture == nullptr) return;
  float u[kTaps];
  float v[kTaps];
  for (int tap = 0; tap < kTaps; ++tap) {
    u[tap] = boundedOffset(tapOffsetsU[tap], blur.blurSide);
    v[tap] = boundedOffset(tapOffsetsV[tap], blur.blurSide);
  }
  fillSource(blur);
  horizontalPass(blur, u);
  verticalPass(blur, v);
}

void softwareBlurRunForAspect(SoftwareBlur& blur, GlowAspectFactors aspect) {
  float across[2 * kGlowTapsPerSide];
  float down[2 * kGlowTapsPerSide];
  const float side = static_cast<float>(blur.blurSide);
  for (int i = 1; i <= kGlowTapsPerSide; ++i) {
    across[2 * i - 2] = glowTapOffset(i, aspect.fx) * side;
    across[2 * i - 1] = -across[2 * i - 2];
    down[2 * i - 2] = glowTapOffset(i, aspect.fy) * side;
    down[2 * i - 1] = -down[2 * i - 2];
  }
  softwareBlurRun(blur, across, down);
}
