#include "render/glow_sizes.h"

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
