// The ES renderer's own record and the pieces its files share: the GL objects' lifetime
// (es_objects), the line pass (es_lines), the glow (es_glow) and the figures (es_figures), which
// the renderer's entry points (es_renderer) put together.
#pragma once

#include <cstdint>

#include "driver/renderer.h"
#include "render/es/es_gl.h"
#include "render/es/es_scene.h"
#include "render/fps_overlay.h"
#include "render/glow_sizes.h"
#include "render/software_blur.h"

constexpr float kTintAlpha = 0.7f;

// The figures' glyphs side by side in one texture, each drawn twice its size.
constexpr char kGlyphOrder[] = "0123456789.: FPS";
constexpr int kGlyphCount = sizeof kGlyphOrder - 1;
constexpr int kFigureScale = 2;
constexpr int kGlyphPixelsWide = FpsGlyphWidth * kFigureScale;
constexpr int kGlyphPixelsHigh = FpsGlyphHeight * kFigureScale;
constexpr int kFigureAdvance = (FpsGlyphWidth + 1) * kFigureScale;
constexpr int kFigureOrigin = 8;
constexpr int kTextCapacity = 32;
constexpr int kVerticesPerFigure = 6;

enum Attribute : GLuint { kPosition = 0, kOtherEnd = 1 };

struct Program {
  GLuint name;
  GLint uniforms[4];
};

// What one size of window needs: the squares, their textures and framebuffers.
struct Sized {
  std::int32_t captureSide;
  std::int32_t blurSide;
  GlowBlurPath path;
  SoftwareBlur software;
  GLuint textures[4];  // capture (RGBA), half-size source (RGBA), across (R8), halo (R8)
  GLuint framebuffers[4];
};

enum SizedIndex : int { kCapture = 0, kSource = 1, kAcross = 2, kHalo = 3 };

struct EsRecord {
  EsGl gl;
  bool softwareRenderer;
  Program line;       // uMatrix, uColor, uViewport
  Program blur;       // uSource, uVertical, uSide, uOffsets
  Program composite;  // uHalo, uTint, uSide
  Program figure;     // uGlyphs, uSize
  GLuint arrays[3];   // lines, quad, figures
  GLuint buffers[3];
  GLuint glyphs;
  std::uint32_t lineCapacity;  // vertices the line buffer and lineVertices hold
  EsLineVertex* lineVertices;
  float figureVertices[kTextCapacity * kVerticesPerFigure * 4];
  std::int32_t width;
  std::int32_t height;
  GlowMode glowMode;
  GlowBlurRequest request;
  Sized sized;
};

inline EsRecord& esRecord(void* record) { return *static_cast<EsRecord*>(record); }

// The GL objects' lifetime (es_objects.cpp). A texture of a size and filter, clamped to its
// edges, bound.
void esMakeTexture(const EsGl& gl, GLuint name, GLint internalFormat, GLenum format,
                   std::int32_t width, std::int32_t height, GLint filter);
// The programs, each with its uniforms; false (with the log on stderr) when one does not link.
bool esLinkPrograms(EsRecord& r);
// The line, quad and figure arrays and buffers.
void esSetupQuadAndBuffers(EsRecord& r);
// The squares, textures and framebuffers for the recorded size; the blur path settled.
void esMakeSized(EsRecord& r);
void esReleaseSized(EsRecord& r);
// Every GL object of the record (the context is current).
void esDeleteAll(EsRecord& r);
// The record's memory given back; record left null.
void esFreeRecord(void*& record);

// The line pass (es_lines.cpp).
bool esHoldLines(EsRecord& r, const Scene& scene);
void esDrawLines(const EsRecord& r, const float matrix[16], GLsizei vertexCount, GLsizei copies,
                 Vec3 color, std::int32_t width, std::int32_t height, bool covered);
// The unit square over the viewport.
void esDrawQuad(const EsRecord& r);

// The glow (es_glow.cpp): the capture, the blur and the halo stretched over the window, tinted,
// into the target (`covered`: a multisampled one).
void esDrawHalo(EsRecord& r, const Scene& scene, const float matrix[16], GLsizei vertices,
                GLsizei copies, GLuint target, bool covered);

// The figures (es_figures.cpp): the glyph texture, and the frame rate drawn with it.
void esMakeGlyphs(EsRecord& r);
void esDrawFigures(EsRecord& r, double framesPerSecond);
