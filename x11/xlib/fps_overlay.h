// Draws the frame-rate text in the bottom-left corner of the current GL context's picture,
// leaving the GL state as it found it.
#pragma once

#include <cstdint>

void DrawFpsOverlay(double framesPerSecond, std::int32_t width, std::int32_t height);
