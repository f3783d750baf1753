#include "sim/palette.h"

#include "sim/random.h"

namespace {

// Indexed by palette entry; the single-precision floats nearest to the decimals.
constexpr Vec3 kPlainPalette[kPaletteSize] = {
    {0.45f, 1.0f, 0.25f},  // Emerald
    {0.4f, 0.9f, 1.0f},    // Lapis
    {1.0f, 0.8f, 0.35f},   // Amber
    {0.5f, 0.35f, 1.0f},   // Amethyst
    {1.0f, 0.28f, 0.28f},  // Ruby
};

// The lines are drawn white under glow and the colour tints the halo.
constexpr Vec3 kGlowPalette[kPaletteSize] = {
    {0.16f, 0.65f, 0.0f},   // Emerald
    {0.13f, 0.38f, 0.85f},  // Lapis
    {0.8f, 0.6f, 0.0f},     // Amber
    {0.5f, 0.35f, 1.0f},    // Amethyst
    {0.82f, 0.1f, 0.1f},    // Ruby
};

}  // namespace

Vec3 paletteColor(std::uint8_t index, bool glow) {
  if (index >= kPaletteSize) return vec3Zero();
  return glow ? kGlowPalette[index] : kPlainPalette[index];
}

std::uint8_t paletteDrawNextIndex(std::uint8_t current) {
  std::int32_t next;
  do {
    next = randomInt(0, kPaletteSize - 1);
  } while (next == current);
  return static_cast<std::uint8_t>(next);
}
