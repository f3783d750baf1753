// The frame-rate overlay (the Linux saver's -fps): counting frames, the text shown and the small
// built-in font each renderer draws it in, so every window system shows the same figures.
#pragma once

#include <cstddef>
#include <cstdint>

struct FpsCounter {
  bool started;
  std::uint32_t periodStartMs;  // when the current counting period began
  std::uint32_t frames;         // frames shown in it so far
  double framesPerSecond;       // the rate over the last whole period; 0 until there is one
};

// Counts one shown frame at `nowMs` (wrapping milliseconds). Once at least a second has passed
// since the period began, the rate is worked out afresh: the frames counted over the time that
// really passed, which may be longer than a second.
void fpsCounterFrame(FpsCounter& counter, std::uint32_t nowMs);

// "FPS: 97.3", always terminated, cut to the buffer; the number of characters written.
std::size_t formatFpsText(char* buffer, std::size_t size, double framesPerSecond);

// Glyphs are 5 pixels wide and 7 high: seven rows, top first, each the low 5 bits of a byte
// with bit 4 the leftmost pixel.
inline constexpr int FpsGlyphWidth = 5;
inline constexpr int FpsGlyphHeight = 7;

// The glyph of a character of the overlay text; null for a character the font lacks.
const std::uint8_t* fpsGlyph(char c);
