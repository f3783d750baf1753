#include "render/fps_overlay.h"

#include <cstdio>

#include "render/gl11/gl_api.h"

namespace {

constexpr std::uint32_t kPeriodMs = 1000;

struct Glyph {
  char c;
  std::uint8_t rows[FpsGlyphHeight];
};

constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
};

// Glyphs are drawn twice their size: each 5-pixel row becomes 10 pixels in two bytes.
constexpr int kScale = 2;
constexpr int kCellWidth = (FpsGlyphWidth + 1) * kScale;
constexpr int kBitmapHeight = FpsGlyphHeight * kScale;

void drawGlyph(const std::uint8_t* rows) {
  GLubyte bitmap[kBitmapHeight * 2] = {};
  for (int row = 0; row < FpsGlyphHeight; ++row) {
    std::uint32_t wide = 0;  // bit 9 is the leftmost pixel
    for (int column = 0; column < FpsGlyphWidth; ++column) {
      if ((rows[row] >> (FpsGlyphWidth - 1 - column)) & 1u) wide |= 3u << (8 - 2 * column);
    }
    // Bitmaps run bottom row first, leftmost pixel in the high bit.
    for (int copy = 0; copy < kScale; ++copy) {
      const int line = (FpsGlyphHeight - 1 - row) * kScale + copy;
      bitmap[line * 2] = static_cast<GLubyte>(wide >> 2);
      bitmap[line * 2 + 1] = static_cast<GLubyte>((wide & 3u) << 6);
    }
  }
  glBitmap(16, kBitmapHeight, 0.0f, 0.0f, static_cast<GLfloat>(kCellWidth), 0.0f, bitmap);
}

}  // namespace

void fpsCounterFrame(FpsCounter& counter, std::uint32_t nowMs) {
  if (!counter.started) {
    counter = FpsCounter{true, nowMs, 0, 0.0};
    return;
  }
  ++counter.frames;
  const std::uint32_t elapsed = nowMs - counter.periodStartMs;
  if (elapsed >= kPeriodMs) {
    counter.framesPerSecond = static_cast<double>(counter.frames) * 1000.0 / elapsed;
    counter.periodStartMs = nowMs;
    counter.frames = 0;
  }
}

std::size_t formatFpsText(char* buffer, std::size_t size, double framesPerSecond) {
  if (size == 0) return 0;
  // Anything a counter cannot give (negative, NaN, huge) shows as 0.
  if (!(framesPerSecond >= 0.0 && framesPerSecond < 100000.0)) framesPerSecond = 0.0;
  const int written = std::snprintf(buffer, size, "FPS: %.1f", framesPerSecond);
  if (written < 0) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<std::size_t>(written) < size ? static_cast<std::size_t>(written) : size - 1;
}

const std::uint8_t* fpsGlyph(char c) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.c == c) return glyph.rows;
  }
  return nullptr;
}

void drawFpsOverlay(double framesPerSecond, std::int32_t width, std::int32_t height) {
  char text[32];
  const std::size_t length = formatFpsText(text, sizeof text, framesPerSecond);

  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, width > 0 ? width : 1, 0.0, height > 0 ? height : 1, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  glColor3f(1.0f, 1.0f, 1.0f);
  glRasterPos2i(8, 8);
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t* glyph = fpsGlyph(text[i]);
    if (glyph != nullptr) drawGlyph(glyph);
  }

  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopClientAttrib();
  glPopAttrib();
}
