#include "render/software_blur.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <initializer_list>

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

std::int32_t groupsOf(std::int32_t side) { return (side + kGlowCellRows - 1) / kGlowCellRows; }

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

using Span = BlurSpan;

Span spanUnion(Span a, Span b) {
  if (a.lo == a.hi) return b;
  if (b.lo == b.hi) return a;
  return Span{a.lo < b.lo ? a.lo : b.lo, a.hi > b.hi ? a.hi : b.hi};
}

// The span widened by reach on both sides, within [0, side).
Span spanWidened(Span span, std::int32_t reach, std::int32_t side) {
  if (span.lo == span.hi) return span;
  const std::int32_t lo = span.lo - reach;
  const std::int32_t hi = span.hi + reach;
  return Span{lo > 0 ? lo : 0, hi < side ? hi : side};
}

// Whether any of the eight pixels from p is not black, their 32 bytes read as four words.
bool anyLitOfEight(const std::uint8_t* p) {
  std::uint64_t words[4];
  std::memcpy(words, p, sizeof words);
  return (words[0] | words[1] | words[2] | words[3]) != 0;
}

// The pixels of a capture row that are not black: all four bytes of each pixel tested at once,
// and eight pixels at a time across the black ends.
Span capturedSpan(const std::uint8_t* row, std::int32_t count) {
  std::int32_t lo = 0;
  std::int32_t hi = count;
  const auto lit = [row](std::int32_t x) {
    return (row[4 * x] | row[4 * x + 1] | row[4 * x + 2] | row[4 * x + 3]) != 0;
  };
  while (hi - lo >= 8 && !anyLitOfEight(row + 4 * lo)) lo += 8;
  while (lo < hi && !lit(lo)) ++lo;
  while (hi - lo >= 8 && !anyLitOfEight(row + 4 * (hi - 8))) hi -= 8;
  while (hi > lo && !lit(hi - 1)) --hi;
  return Span{lo, hi};
}

// Blacks out line[old] where it lies outside now, so that the line is black outside now.
template <typename T>
void blackOutside(T* line, Span old, Span now) {
  for (std::int32_t x = old.lo; x < old.hi; ++x) {
    if (x < now.lo || x >= now.hi) line[x] = 0;
  }
}

// How far from a pixel a tap's linear sample reaches, with both texels it reads: at most the
// largest offset rounded up, plus one.
std::int32_t tapReach(const float offsets[kTaps]) {
  float largest = 0.0f;
  for (int tap = 0; tap < kTaps; ++tap) {
    const float size = std::fabs(offsets[tap]);
    if (size > largest) largest = size;
  }
  return static_cast<std::int32_t>(std::ceil(largest)) + 1;
}

// Row y of the blur square's grey values from the capture's green channel, over the span: a
// copy, or each 2 x 2 block averaged when the blur square is half the capture.
void fillSourceRow(const SoftwareBlur& blur, std::int32_t y, Span span) {
  const std::int32_t c = blur.captureSide;
  const std::int32_t b = blur.blurSide;
  float* row = blur.source + static_cast<std::size_t>(y) * b;
  if (b == c) {
    const std::uint8_t* green = blur.capture + static_cast<std::size_t>(y) * c * 4 + 1;
    for (std::int32_t x = span.lo; x < span.hi; ++x) row[x] = green[4 * x];
    return;
  }
  const std::uint8_t* lower = blur.capture + static_cast<std::size_t>(2 * y) * c * 4 + 1;
  const std::uint8_t* upper = lower + static_cast<std::size_t>(c) * 4;
  for (std::int32_t x = span.lo; x < span.hi; ++x) {
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

// Where row y of the blur square's source is lit, from the capture row or rows it is made of.
Span sourceSpan(const SoftwareBlur& blur, std::int32_t y) {
  const std::int32_t c = blur.captureSide;
  if (blur.blurSide == c) {
    return capturedSpan(blur.capture + static_cast<std::size_t>(y) * c * 4, c);
  }
  const std::uint8_t* lower = blur.capture + static_cast<std::size_t>(2 * y) * c * 4;
  const Span lit = spanUnion(capturedSpan(lower, c), capturedSpan(lower + std::size_t(c) * 4, c));
  return Span{lit.lo / 2, (lit.hi + 1) / 2};
}

// Each row: a fifth of itself plus a fifth of its eight horizontal taps, saturated, computed
// only where a tap reaches a lit source pixel; everywhere else the sum is black. The span each
// row of the result is lit in is kept in the record, and the row is black outside it.
void horizontalPass(const SoftwareBlur& blur, const float offsets[kTaps]) {
  const std::int32_t side = blur.blurSide;
  const std::int32_t reach = tapReach(offsets);
  for (std::int32_t y = 0; y < side; ++y) {
    float* sum = blur.across + static_cast<std::size_t>(y) * side;
    Span& kept = blur.acrossSpans[y];
    const Span lit = sourceSpan(blur, y);
    const Span out = spanWidened(lit, reach, side);
    blackOutside(sum, kept, out);
    kept = out;
    if (out.lo == out.hi) continue;
    // The source the sums read, black beyond where the capture is lit.
    fillSourceRow(blur, y, spanWidened(out, reach, side));
    const float* row = blur.source + static_cast<std::size_t>(y) * side;
    for (std::int32_t x = out.lo; x < out.hi; ++x) sum[x] = roundToWhole(row[x] * kGlowTapAlpha);
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
      // The same split, within the span.
      const std::int32_t leftEnd = first < out.hi ? first : out.hi;
      const std::int32_t innerFirst = first > out.lo ? first : out.lo;
      const std::int32_t innerEnd = end < out.hi ? end : out.hi;
      addClampedTap(sum, row, out.lo, leftEnd, offset, side);
      if (innerEnd > innerFirst) {
        const float* a = row + innerFirst + inside.below;
        addTap(sum + innerFirst, a, a + 1, inside.weight, innerEnd - innerFirst);
      }
      addClampedTap(sum, row, end > out.lo ? end : out.lo, out.hi, offset, side);
    }
    for (std::int32_t x = out.lo; x < out.hi; ++x) sum[x] = saturated(sum[x]);
  }
}

// Each row of the horizontal result at full weight plus a fifth of its eight vertical taps,
// saturated, into the halo, computed only where one of the rows it reads is lit. Rows beyond
// the edges are black.
void verticalPass(const SoftwareBlur& blur, const float offsets[kTaps]) {
  const std::int32_t side = blur.blurSide;
  const float* black = blur.source + area(side);
  float* sum = blur.source + area(side) + side;
  const Span* across = blur.acrossSpans;
  for (std::int32_t group = 0; group < groupsOf(side); ++group) blur.haloCells[group] = 0;
  const std::int32_t cellWidth = glowCellWidth(side);
  for (std::int32_t y = 0; y < side; ++y) {
    LineSample samples[kTaps];
    Span out = across[y];
    for (int tap = 0; tap < kTaps; ++tap) {
      samples[tap] = lineSample(y, offsets[tap], side);
      for (const std::int32_t read : {samples[tap].below, samples[tap].below + 1}) {
        if (read >= 0 && read < side) out = spanUnion(out, across[read]);
      }
    }
    std::uint8_t* halo = blur.halo + static_cast<std::size_t>(y) * side;
    Span& kept = blur.haloSpans[y];
    blackOutside(halo, kept, out);
    kept = out;
    if (out.lo == out.hi) continue;
    const float* own = blur.across + static_cast<std::size_t>(y) * side;
    for (std::int32_t x = out.lo; x < out.hi; ++x) sum[x] = own[x];
    for (int tap = 0; tap < kTaps; ++tap) {
      const LineSample s = samples[tap];
      const float* a = s.below >= 0 && s.below < side
                           ? blur.across + static_cast<std::size_t>(s.below) * side
                           : black;
      const float* b = s.below + 1 >= 0 && s.below + 1 < side
                           ? blur.across + static_cast<std::size_t>(s.below + 1) * side
                           : black;
      addTap(sum + out.lo, a + out.lo, b + out.lo, s.weight, out.hi - out.lo);
    }
    for (std::int32_t x = out.lo; x < out.hi; ++x) {
      halo[x] = static_cast<std::uint8_t>(saturated(sum[x]));
    }
    // The cells of the row that are lit, marked in its group.
    std::uint64_t& cells = blur.haloCells[y / kGlowCellRows];
    for (std::int32_t cell = out.lo / cellWidth; cell * cellWidth < out.hi; ++cell) {
      const std::int32_t from = cell * cellWidth > out.lo ? cell * cellWidth : out.lo;
      const std::int32_t to = (cell + 1) * cellWidth < out.hi ? (cell + 1) * cellWidth : out.hi;
      std::uint8_t any = 0;
      for (std::int32_t x = from; x < to; ++x) any |= halo[x];
      if (any != 0) cells |= std::uint64_t{1} << cell;
    }
  }
}

// On x86 the passes are also compiled for AVX2, everything they call inlined into them, and
// taken where the processor and the system support it: the same operations on twice the lanes,
// so the same halo bit for bit.
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define QW_BLUR_AVX2 1
__attribute__((target("avx2"), flatten)) void horizontalPassAvx2(const SoftwareBlur& blur,
                                                                 const float offsets[kTaps]) {
  horizontalPass(blur, offsets);
}
__attribute__((target("avx2"), flatten)) void verticalPassAvx2(const SoftwareBlur& blur,
                                                               const float offsets[kTaps]) {
  verticalPass(blur, offsets);
}
#endif

}  // namespace

bool softwareBlurInit(SoftwareBlur& blur, std::int32_t captureSide, std::int32_t blurSide) {
  blur = SoftwareBlur{};
  if (blurSide < 1 || (blurSide != captureSide && 2 * blurSide != captureSide)) return false;
  blur.captureSide = captureSide;
  blur.blurSide = blurSide;
  // The source has two more rows: one kept black, which the vertical pass reads beyond the
  // edges, and the vertical pass's sums.
  if (!storageObtainArray(blur.capture, area(captureSide) * 4) ||
      !storageObtainArray(blur.source, area(blurSide) + 2 * static_cast<std::size_t>(blurSide)) ||
      !storageObtainArray(blur.acrossSpans, static_cast<std::size_t>(blurSide)) ||
      !storageObtainArray(blur.haloSpans, static_cast<std::size_t>(blurSide)) ||
      !storageObtainArray(blur.haloCells, static_cast<std::size_t>(groupsOf(blurSide))) ||
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
  storageRelease(blur.acrossSpans);
  storageRelease(blur.haloSpans);
  storageRelease(blur.haloCells);
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
#ifdef QW_BLUR_AVX2
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) {
    horizontalPassAvx2(blur, u);
    verticalPassAvx2(blur, v);
    return;
  }
#endif
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
