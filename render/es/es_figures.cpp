#include <cstddef>
#include <cstdint>

#include "render/es/es_record.h"

// The glyph texture: each glyph's rows doubled both ways, bottom row first.
void esMakeGlyphs(EsRecord& r) {
  constexpr int kWide = kGlyphCount * kGlyphPixelsWide;
  std::uint8_t pixels[kWide * kGlyphPixelsHigh] = {};
  for (int g = 0; g < kGlyphCount; ++g) {
    const std::uint8_t* rows = fpsGlyph(kGlyphOrder[g]);
    for (int y = 0; y < kGlyphPixelsHigh; ++y) {
      const int row = FpsGlyphHeight - 1 - y / kFigureScale;
      for (int x = 0; x < kGlyphPixelsWide; ++x) {
        const int column = x / kFigureScale;
        if ((rows[row] >> (FpsGlyphWidth - 1 - column)) & 1u) {
          pixels[y * kWide + g * kGlyphPixelsWide + x] = 255;
        }
      }
    }
  }
  r.gl.GenTextures(1, &r.glyphs);
  esMakeTexture(r.gl, r.glyphs, GL_R8, GL_RED, kWide, kGlyphPixelsHigh, GL_NEAREST);
  r.gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  r.gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kWide, kGlyphPixelsHigh, GL_RED, GL_UNSIGNED_BYTE,
                     pixels);
}

void esDrawFigures(EsRecord& r, double framesPerSecond) {
  const EsGl& gl = r.gl;
  char text[kTextCapacity];
  const std::size_t length = formatFpsText(text, sizeof text, framesPerSecond);
  float* v = r.figureVertices;
  int figures = 0;
  for (std::size_t i = 0; i < length; ++i) {
    int glyph = 0;
    while (glyph < kGlyphCount && kGlyphOrder[glyph] != text[i]) ++glyph;
    if (glyph == kGlyphCount) continue;
    const float x0 = static_cast<float>(kFigureOrigin + figures * kFigureAdvance);
    const float y0 = static_cast<float>(kFigureOrigin);
    const float u0 = static_cast<float>(glyph * kGlyphPixelsWide);
    const float corners[kVerticesPerFigure][2] = {{0, 0}, {1, 0}, {0, 1}, {0, 1}, {1, 0}, {1, 1}};
    for (const auto& c : corners) {
      *v++ = x0 + c[0] * kGlyphPixelsWide;
      *v++ = y0 + c[1] * kGlyphPixelsHigh;
      *v++ = u0 + c[0] * kGlyphPixelsWide;
      *v++ = c[1] * kGlyphPixelsHigh;
    }
    ++figures;
  }
  if (figures == 0) return;
  gl.Viewport(0, 0, r.width > 0 ? r.width : 0, r.height > 0 ? r.height : 0);
  gl.Disable(GL_BLEND);
  gl.UseProgram(r.figure.name);
  gl.Uniform2f(r.figure.uniforms[1], static_cast<float>(r.width > 0 ? r.width : 1),
               static_cast<float>(r.height > 0 ? r.height : 1));
  gl.BindTexture(GL_TEXTURE_2D, r.glyphs);
  gl.BindVertexArray(r.arrays[2]);
  gl.BindBuffer(GL_ARRAY_BUFFER, r.buffers[2]);
  gl.BufferSubData(GL_ARRAY_BUFFER, 0,
                   static_cast<GLsizeiptr>(sizeof(float) * 4 * kVerticesPerFigure * figures),
                   r.figureVertices);
  gl.DrawArrays(GL_TRIANGLES, 0, kVerticesPerFigure * figures);
  gl.Enable(GL_BLEND);
}
