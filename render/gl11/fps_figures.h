// The frame-rate figures in fixed-function GL: the overlay's text as OpenGL 1.1 bitmaps.
#pragma once

#include <cstdint>

// Draws the frame-rate text in the bottom-left corner of the current GL context's picture of
// `width` x `height` pixels, leaving the GL state as it found it.
void drawFpsOverlay(double framesPerSecond, std::int32_t width, std::int32_t height);
