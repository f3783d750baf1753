#include "render/glow_pass.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "render/gl_api.h"
#include "render/glow_sizes.h"
#include "render/wire_drawing.h"

namespace {

constexpr double kTapSpacing = 0.0015;  // of the texture's width or height, per tap
constexpr int kTapsPerSide = 4;
constexpr float kTapAlpha = 0.2f;
constexpr float kTintAlpha = 0.7f;
constexpr float kCaptureLineWidth = 0.5f;

// GlowMode 3 is accepted from the store and draws no halo.
constexpr std::uint8_t kGlowWithoutHalo = 3;

// Four textured vertices at z = -1 covering the unit square, the texture's row offsetV at y = 1;
// the caller brackets them with glBegin(GL_QUADS) and glEnd.
void drawTexturedQuad(float extentU, float extentV, float offsetU, float offsetV) {
  glTexCoord2f(offsetU, offsetV);
  glVertex3f(0.0f, 1.0f, -1.0f);
  glTexCoord2f(offsetU, offsetV + extentV);
  glVertex3f(0.0f, 0.0f, -1.0f);
  glTexCoord2f(offsetU + extentU, offsetV + extentV);
  glVertex3f(1.0f, 0.0f, -1.0f);
  glTexCoord2f(offsetU + extentU, offsetV);
  glVertex3f(1.0f, 1.0f, -1.0f);
}

// The image in the lower-left side x side square of the back buffer into the bound texture.
// When the texture already is an RGB image of that size (every frame after the first), the
// pixels are copied into it in place: the same image, without the texture being made anew.
void copySquareToTexture(std::int32_t side) {
  GLint width = 0;
  GLint height = 0;
  GLint format = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  if (width == side && height == side && (format == GL_RGB || format == GL_RGB8)) {
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, side, side);
  } else {
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, side, side, 0);
  }
}

// The eight taps of one direction, +i then -i for i = 1 to 4, in one batch of quads; factor
// scales the offsets, horizontal when horizontal is true and vertical otherwise.
void drawTaps(float extentU, float extentV, float factor, bool horizontal) {
  glBegin(GL_QUADS);
  for (int i = 1; i <= kTapsPerSide; ++i) {
    const float offset = static_cast<float>(kTapSpacing * i * factor);
    if (horizontal) {
      drawTexturedQuad(extentU, extentV, offset, 0.0f);
      drawTexturedQuad(extentU, extentV, -offset, 0.0f);
    } else {
      drawTexturedQuad(extentU, extentV, 0.0f, offset);
      drawTexturedQuad(extentU, extentV, 0.0f, -offset);
    }
  }
  glEnd();
}

void drawOneQuad(float extentU, float extentV) {
  glBegin(GL_QUADS);
  drawTexturedQuad(extentU, extentV, 0.0f, 0.0f);
  glEnd();
}

}  // namespace

void createGlowTextures(GlowTextures& textures, std::int32_t windowWidth,
                        std::int32_t windowHeight) {
  const std::int32_t side = glowCaptureSize(windowWidth, windowHeight);
  // A black start image. Should it not be obtained, GL is given none and leaves the image
  // undefined: every frame's copies define it before it is drawn.
  const std::uint64_t bytes =
      static_cast<std::uint64_t>(side) * static_cast<std::uint64_t>(side) * 3u;
  void* zeros = bytes <= SIZE_MAX ? std::calloc(static_cast<std::size_t>(bytes), 1) : nullptr;

  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glGenTextures(2, textures.names);
  for (const int index : {GlowCaptureTexture, GlowBlurTexture}) {
    glBindTexture(GL_TEXTURE_2D, textures.names[index]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, zeros);
  }
  std::free(zeros);
}

void renderWithGlow(const Scene& scene, const GlowTextures& textures) {
  const std::int32_t w = scene.width;
  const std::int32_t h = scene.height;
  const std::uint8_t mode = scene.glowMode;
  if (mode == 0) {
    drawScene(scene);
    return;
  }
  const bool halo = mode != kGlowWithoutHalo;
  const GLuint captureTexture = textures.names[GlowCaptureTexture];
  const GLuint blurTexture = textures.names[GlowBlurTexture];

  if (!windowHasPixels(w, h)) {
    // Nothing can be seen: only the state a frame leaves is set.
    glViewport(0, 0, w > 0 ? w : 0, h > 0 ? h : 0);
    glLineWidth(1.0f);
    if (halo) glBindTexture(GL_TEXTURE_2D, blurTexture);
    drawScene(scene);
    return;
  }

  const std::int32_t captureSize = glowCaptureSize(w, h);
  const std::int32_t blurSize = glowBlurSize(w, h, mode);
  const GlowAspectFactors aspect = glowAspectFactors(w, h);
  // Without a halo the scratch work runs in a half-size viewport over extents of half the
  // window, its horizontal taps unscaled; it is all cleared before the final pass.
  const float extentU = halo ? 1.0f : static_cast<float>(w / 2);
  const float extentV = halo ? 1.0f : static_cast<float>(h / 2);
  const float horizontalFactor = halo ? aspect.fx : 1.0f;

  // The wires small and thin in the corner, captured.
  if (halo) {
    glViewport(0, 0, captureSize, captureSize);
  } else {
    glViewport(0, 0, w / 2, h / 2);
  }
  glLineWidth(kCaptureLineWidth);
  drawScene(scene);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  if (halo) {
    glBindTexture(GL_TEXTURE_2D, captureTexture);
    copySquareToTexture(captureSize);
  }

  // Screen space: the unit square fills the viewport, y = 1 at the bottom.
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, 1.0, 1.0, 0.0, 0.1, 100.0);

  // The capture scaled into the blur square, replacing what is there.
  if (halo) {
    glViewport(0, 0, blurSize, blurSize);
    glBindTexture(GL_TEXTURE_2D, captureTexture);
  }
  glDisable(GL_BLEND);
  drawOneQuad(extentU, extentV);
  glEnable(GL_BLEND);
  if (halo) {
    glBindTexture(GL_TEXTURE_2D, blurTexture);
    copySquareToTexture(blurSize);
  }

  // Horizontal blur: a fifth of the image, plus a fifth of each of eight shifted copies.
  glColor4f(1.0f, 1.0f, 1.0f, kTapAlpha);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  drawOneQuad(extentU, extentV);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  drawTaps(extentU, extentV, horizontalFactor, true);
  if (halo) copySquareToTexture(blurSize);

  // Vertical blur: the horizontal result stays at full weight, eight shifted fifths are added.
  glColor4f(1.0f, 1.0f, 1.0f, kTapAlpha);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  drawTaps(extentU, extentV, aspect.fy, false);
  if (halo) copySquareToTexture(blurSize);

  // The scratch square is erased; the halo is stretched over the window, tinted.
  glViewport(0, 0, w, h);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(scene.color.x, scene.color.y, scene.color.z, kTintAlpha);
  if (halo) drawOneQuad(1.0f, 1.0f);

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();

  // The wires at full size on top.
  glLineWidth(1.0f);
  drawScene(scene);
}
