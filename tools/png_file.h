// Writing a GL colour buffer to a PNG file.
#pragma once

#include <cstdint>
#include <vector>

// Writes the RGB of a width x height RGBA buffer whose first row is the bottom one (as GL reads
// it) to an 8-bit RGB PNG, top row first. `rows` is scratch space, kept between calls. False
// when the file cannot be written.
bool pngWriteBottomUpRgba(const char* path, const std::uint8_t* rgba, std::int32_t width,
                          std::int32_t height, std::vector<std::uint8_t>& rows);
