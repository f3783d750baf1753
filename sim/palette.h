// The five wire colours (Emerald, Lapis, Amber, Amethyst, Ruby), each with a plain and a glow
// entry, and the draw of the entry a colour cycle moves to next.
#pragma once

#include <cstdint>

#include "sim/vec3.h"

// The palette entries 0 to 4: the plain table when glow is false, the glow table otherwise. An
// index outside the table gives black.
Vec3 paletteColor(std::uint8_t index, bool glow);

// The entry the colour moves to after current: randomInt(0, 4) drawn again and again until it
// differs from current.
std::uint8_t paletteDrawNextIndex(std::uint8_t current);
