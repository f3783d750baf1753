#include "render/glow_sizes.h"

#include <cmath>

namespace {

std::int32_t nonNegative(std::int32_t side) { return side > 0 ? side : 0; }

// How many right shifts bring the smaller side to 0: one more than the index of its top bit.
std::int32_t smallerSideBits(std::int32_t width, std::int32_t height) {
  std::int32_t side =
      nonNegative(width) < nonNegative(height) ? nonNegative(width) : nonNegative(height);
  std::int32_t bits = 0;
  while (side > 0) {
    side >>= 1;
    ++bits;
  }
  return bits;
}

}  // namespace

std::int32_t glowCaptureSize(std::int32_t width, std::int32_t height) {
  const std::int32_t bits = smallerSideBits(width, height);
  return bits >= 1 ? std::int32_t{1} << (bits - 1) : 1;
}

std::int32_t glowBlurSize(std::int32_t width, std::int32_t height, GlowMode glowMode) {
  if (!glowBlursAtHalf(glowMode)) return glowCaptureSize(width, height);
  const std::int32_t bits = smallerSideBits(width, height);
  return bits >= 2 ? std::int32_t{1} << (bits - 2) : 1;
}

GlowAspectFactors glowAspectFactors(std::int32_t width, std::int32_t height) {
  const std::int32_t w = nonNegative(width);
  const std::int32_t h = nonNegative(height);
  if (w > h) return GlowAspectFactors{static_cast<float>(h) / static_cast<float>(w), 1.0f};
  if (h == 0) return GlowAspectFactors{1.0f, 1.0f};
  return GlowAspectFactors{1.0f, static_cast<float>(w) / static_cast<float>(h)};
}

int glowCompositeBands(const GlowHaloMap& halo, std::int32_t width, std::int32_t height,
                       GlowBand* bands) {
  const std::int32_t side = halo.side;
  if (halo.rows == nullptr || halo.groups == nullptr || side < 1 || width < 1 || height < 1) {
    return 0;
  }
  // A pixel at p of a window side of n samples texels floor(t) and floor(t) + 1 of the m on
  // that side, where t = (p + 0.5) m / n - 0.5.
  const auto texel = [](double pixel, std::int32_t n, std::int32_t m) {
    return static_cast<std::int32_t>(std::floor((pixel + 0.5) * m / n - 0.5));
  };
  const double across = static_cast<double>(width) / side;
  const std::int32_t cellWidth = glowCellWidth(side);
  const std::int32_t cells = side / cellWidth;
  const std::int32_t joined = width / 10;
  int count = 0;
  int previousFirst = 0;  // where the previous band's rectangles begin
  for (int band = 0; band < kGlowBands; ++band) {
    const auto y0 =
        static_cast<std::int32_t>(static_cast<std::int64_t>(height) * band / kGlowBands);
    const auto y1 =
        static_cast<std::int32_t>(static_cast<std::int64_t>(height) * (band + 1) / kGlowBands);
    if (y1 <= y0) continue;
    std::int32_t first = texel(y0, height, side) - 1;
    std::int32_t end = texel(y1 - 1, height, side) + 3;
    if (first < 0) first = 0;
    if (end > side) end = side;
    std::int32_t lo = side;
    std::int32_t hi = 0;
    for (std::int32_t row = first; row < end; ++row) {
      const BlurSpan span = halo.rows[row];
      if (span.lo >= span.hi) continue;
      if (span.lo < lo) lo = span.lo;
      if (span.hi > hi) hi = span.hi;
    }
    std::uint64_t lit = 0;
    for (std::int32_t group = first / kGlowCellRows; group * kGlowCellRows < end; ++group) {
      lit |= halo.groups[group];
    }
    if (lo >= hi || lit == 0) continue;
    // The band's runs of lit cells, within its rows' spans, as rectangles of pixels whose first
    // texel lies in [run start - 1, run end - 1], two more each way.
    const int bandFirst = count;
    for (std::int32_t cell = 0; cell < cells;) {
      if ((lit >> cell & 1u) == 0) {
        ++cell;
        continue;
      }
      std::int32_t after = cell;
      while (after < cells && (lit >> after & 1u) != 0) ++after;
      const std::int32_t runLo = cell * cellWidth > lo ? cell * cellWidth : lo;
      const std::int32_t runHi = after * cellWidth < hi ? after * cellWidth : hi;
      cell = after;
      if (runLo >= runHi) continue;
      auto x0 = static_cast<std::int32_t>(std::floor((runLo - 0.5) * across - 0.5)) - 2;
      auto x1 = static_cast<std::int32_t>(std::ceil((runHi + 0.5) * across - 0.5)) + 2;
      if (x0 < 0) x0 = 0;
      if (x1 > width) x1 = width;
      GlowBand* last = count > bandFirst ? &bands[count - 1] : nullptr;
      if (last != nullptr &&
          (x0 - (last->x + last->width) < joined || count - bandFirst == kGlowRunsPerBand)) {
        last->width = x1 - last->x;
      } else {
        bands[count++] = GlowBand{x0, y0, x1 - x0, y1 - y0};
      }
    }
    // A band of one rectangle over the same columns as the band before's one goes on from it.
    if (count == bandFirst + 1 && bandFirst == previousFirst + 1 && bandFirst > 0) {
      GlowBand& before = bands[bandFirst - 1];
      const GlowBand& now = bands[bandFirst];
      if (before.x == now.x && before.width == now.width && before.y + before.height == now.y) {
        before.height += now.height;
        count = bandFirst;
        continue;
      }
    }
    previousFirst = bandFirst;
  }
  return count;
}
