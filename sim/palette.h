// The five wire colours (Emerald, Lapis, Amber, Amethyst, Ruby), each with a plain and a glow
// entry, and the draw of the entry a colour cycle moves to next.
#pragma once

#include <cstdint>

#include "settings/glow_and_color.h"
#include "sim/vec3.h"

// The palette's entries: one for each fixed colour scheme, Emerald to Ruby, in their order.
inline constexpr int kPaletteSize = 5;
static_assert(kPaletteSize == static_cast<int>(ColorScheme::Random),
              "each fixed colour scheme is the palette entry of its number");

// The palette entries 0 to kPaletteSize - 1: the plain table when glow is false, the glow table
// otherwise. An index outside the table gives black.
Vec3 paletteColor(std::uint8_t index, bool glow);

// The entry the colour moves to after current: randomInt(0, kPaletteSize - 1) drawn again and
// again until it differs from current.
std::uint8_t paletteDrawNextIndex(std::uint8_t current);
