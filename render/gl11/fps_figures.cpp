#include "render/gl11/fps_figures.h"

#include <cstdint>

#include "render/fps_overlay.h"
#include "render/gl11/gl_api.h"

namespace {

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
