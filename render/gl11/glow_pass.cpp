#include "render/gl11/glow_pass.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "render/capture_read_back.h"
#include "render/gl11/gl_api.h"
#include "render/glow_sizes.h"
#include "render/software_blur.h"
#include "render/gl11/wire_drawing.h"

namespace {

constexpr float kTintAlpha = 0.7f;
constexpr float kCaptureLineWidth = 0.5f;

// Four textured vertices at z = -1 covering the unit square and the whole texture shifted by
// (offsetU, offsetV), the texture's row offsetV at y = 1; the caller brackets them with
// glBegin(GL_QUADS) and glEnd.
void drawTexturedQuad(float offsetU, float offsetV) {
  glTexCoord2f(offsetU, offsetV);
  glVertex3f(0.0f, 1.0f, -1.0f);
  glTexCoord2f(offsetU, offsetV + 1.0f);
  glVertex3f(0.0f, 0.0f, -1.0f);
  glTexCoord2f(offsetU + 1.0f, offsetV + 1.0f);
  glVertex3f(1.0f, 0.0f, -1.0f);
  glTexCoord2f(offsetU + 1.0f, offsetV);
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
void drawTaps(float factor, bool horizontal) {
  glBegin(GL_QUADS);
  for (int i = 1; i <= kGlowTapsPerSide; ++i) {
    const float offset = glowTapOffset(i, factor);
    if (horizontal) {
      drawTexturedQuad(offset, 0.0f);
      drawTexturedQuad(-offset, 0.0f);
    } else {
      drawTexturedQuad(0.0f, offset);
      drawTexturedQuad(0.0f, -offset);
    }
  }
  glEnd();
}

void drawOneQuad() {
  glBegin(GL_QUADS);
  drawTexturedQuad(0.0f, 0.0f);
  glEnd();
}

// The software path: the capture square read back, blurred by the processor and sent into the
// blur texture, which is left bound. False, with the path set to GL for good and the buffers
// given back, when the read-back fails: the caller then blurs with GL.
bool blurInSoftware(GlowTextures& textures, GlowAspectFactors aspect) {
  SoftwareBlur& blur = textures.software;
  static const CaptureReadBack kReadBack{
      nullptr, [](const void*) { return glGetError() != GL_NO_ERROR; },
      [](const void*, std::int32_t side, std::uint8_t* rgba) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
      }};
  if (!captureReadBackAndBlur(blur, kReadBack, aspect)) {
    textures.path = GlowBlurPath::Gl;
    return false;
  }
  glBindTexture(GL_TEXTURE_2D, textures.names[GlowBlurTexture]);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, blur.blurSide, blur.blurSide, GL_LUMINANCE,
                  GL_UNSIGNED_BYTE, blur.halo);
  return true;
}

// The two squares of the glow pass in the lower-left corner of the back buffer.
struct GlowSquares {
  std::int32_t capture;  // the wires are drawn small into it and captured
  std::int32_t blur;     // the blur runs in it: the capture's side or half of it
};

// The first step: the wires small and thin in the corner, captured. On the software path the
// capture is read back and blurred at once, and true returned with the halo in the blur
// texture; otherwise it is copied into the capture texture for the GL blur.
bool captureWires(const Scene& scene, GlowTextures& textures, GlowSquares squares,
                  GlowAspectFactors aspect) {
  glViewport(0, 0, squares.capture, squares.capture);
  glLineWidth(kCaptureLineWidth);
  drawScene(scene);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  // Buffers made for other squares (the textures of another glow mode or size) are not used.
  if (textures.path == GlowBlurPath::Software && textures.software.captureSide == squares.capture &&
      textures.software.blurSide == squares.blur && blurInSoftware(textures, aspect)) {
    return true;
  }
  glBindTexture(GL_TEXTURE_2D, textures.names[GlowCaptureTexture]);
  copySquareToTexture(squares.capture);
  return false;
}

// Screen space for the textured quads: the unit square fills the viewport, y = 1 at the bottom.
// The caller's matrices are kept and given back by leaveScreenSpace.
void enterScreenSpace() {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, 1.0, 1.0, 0.0, 0.1, 100.0);
}

void leaveScreenSpace() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

// The second step on the GL path: the capture (in the capture texture, left bound by the first
// step) blurred into the blur texture by drawing shifted faint copies of it, horizontally and
// then vertically, in the blur square; the blur texture is left bound.
void blurWithGl(const GlowTextures& textures, GlowSquares squares, GlowAspectFactors aspect) {
  const GLuint blurTexture = textures.names[GlowBlurTexture];
  // The capture scaled into the blur square, replacing what is there. At full size that is
  // the capture itself, which the horizontal pass then reads from the capture texture.
  glViewport(0, 0, squares.blur, squares.blur);
  if (squares.blur != squares.capture) {
    glDisable(GL_BLEND);
    drawOneQuad();
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, blurTexture);
    copySquareToTexture(squares.blur);
  }

  // Horizontal blur: a fifth of the image, plus a fifth of each of eight shifted copies.
  glColor4f(1.0f, 1.0f, 1.0f, kGlowTapAlpha);
  glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
  drawOneQuad();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  drawTaps(aspect.fx, true);
  glBindTexture(GL_TEXTURE_2D, blurTexture);
  copySquareToTexture(squares.blur);

  // Vertical blur: the horizontal result stays at full weight, eight shifted fifths are added.
  glColor4f(1.0f, 1.0f, 1.0f, kGlowTapAlpha);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  drawTaps(aspect.fy, false);
  copySquareToTexture(squares.blur);
}

// The last step: the scratch squares erased, and the halo in the bound blur texture stretched
// over the whole window, tinted with the scene colour.
void compositeHalo(const Scene& scene, std::int32_t width, std::int32_t height) {
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(scene.color.x, scene.color.y, scene.color.z, kTintAlpha);
  drawOneQuad();
}

// The same where the software path trims its calls: the halo, added to black, changes only the
// pixels whose samples reach a lit texel, so the one quad is drawn once per band of rows,
// scissored to the columns those rows' texels may light: the same pixels, byte for byte,
// without shading the black ones. (The whole window is erased, as a clear of all of it is
// the cheapest a software renderer makes.)
void compositeHaloTrimmed(const Scene& scene, const SoftwareBlur& blur, std::int32_t width,
                          std::int32_t height) {
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(scene.color.x, scene.color.y, scene.color.z, kTintAlpha);
  GlowBand bands[kGlowMaxRects];
  const int count = glowCompositeBands(GlowHaloMap{blur.haloSpans, blur.haloCells, blur.blurSide},
                                       width, height, bands);
  glEnable(GL_SCISSOR_TEST);
  for (int i = 0; i < count; ++i) {
    glScissor(bands[i].x, bands[i].y, bands[i].width, bands[i].height);
    drawOneQuad();
  }
  glDisable(GL_SCISSOR_TEST);
}

}  // namespace

void createGlowTextures(GlowTextures& textures, std::int32_t windowWidth, std::int32_t windowHeight,
                        GlowMode glowMode, GlowBlurRequest request, bool trimmed) {
  textures = GlowTextures{};
  const std::int32_t side = glowCaptureSize(windowWidth, windowHeight);
  const std::int32_t blurSide = glowBlurSize(windowWidth, windowHeight, glowMode);
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  textures.path = chooseGlowBlurPath(request, isSoftwareRenderer(renderer));
  const bool halo = glowHasHalo(glowMode);
  if (textures.path == GlowBlurPath::Software &&
      !(halo && softwareBlurInit(textures.software, side, blurSide))) {
    textures.path = GlowBlurPath::Gl;
  }
  textures.trimmed = trimmed && textures.path == GlowBlurPath::Software;
  textures.colourClearOnly = trimmed;

  // A black start image. Should it not be obtained, GL is given none and leaves the image
  // undefined: every frame's copies define it before it is drawn.
  const std::uint64_t bytes =
      static_cast<std::uint64_t>(side) * static_cast<std::uint64_t>(side) * 3u;
  void* zeros = bytes <= SIZE_MAX ? std::calloc(static_cast<std::size_t>(bytes), 1) : nullptr;

  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glGenTextures(2, textures.names);
  for (const int index : {GlowCaptureTexture, GlowBlurTexture}) {
    // The software path sends the halo at the blur square's size into the blur texture.
    const std::int32_t textureSide =
        index == GlowBlurTexture && textures.path == GlowBlurPath::Software ? blurSide : side;
    glBindTexture(GL_TEXTURE_2D, textures.names[index]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLint format = index == GlowBlurTexture && textures.trimmed ? GL_LUMINANCE8 : GL_RGB8;
    glTexImage2D(GL_TEXTURE_2D, 0, format, textureSide, textureSide, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 zeros);
  }
  std::free(zeros);
}

void releaseGlowTextures(GlowTextures& textures) {
  glDeleteTextures(2, textures.names);
  forgetGlowTextures(textures);
}

void forgetGlowTextures(GlowTextures& textures) {
  softwareBlurRelease(textures.software);
  textures = GlowTextures{};
}

void renderWithGlow(const Scene& scene, GlowTextures& textures) {
  const std::int32_t w = scene.width;
  const std::int32_t h = scene.height;
  const GlowMode mode = scene.glowMode;
  if (!glowIsOn(mode)) {
    drawScene(scene);
    return;
  }
  const bool halo = glowHasHalo(mode);

  if (!windowHasPixels(w, h) || !halo) {
    // Without pixels nothing can be seen; without a halo only the white wires are. Only they
    // are drawn, and the state a frame leaves is set.
    glViewport(0, 0, w > 0 ? w : 0, h > 0 ? h : 0);
    glLineWidth(1.0f);
    if (halo) glBindTexture(GL_TEXTURE_2D, textures.names[GlowBlurTexture]);
    if (!halo) glColor4f(scene.color.x, scene.color.y, scene.color.z, kTintAlpha);
    drawScene(scene);
    return;
  }

  // Capture, blur (on the processor while capturing, or else with GL), composite.
  const GlowSquares squares{glowCaptureSize(w, h), glowBlurSize(w, h, mode)};
  const GlowAspectFactors aspect = glowAspectFactors(w, h);
  const bool blurred = captureWires(scene, textures, squares, aspect);
  enterScreenSpace();
  if (!blurred) blurWithGl(textures, squares, aspect);
  if (blurred && textures.trimmed) {
    compositeHaloTrimmed(scene, textures.software, w, h);
  } else {
    compositeHalo(scene, w, h);
  }
  leaveScreenSpace();

  // The wires at full size on top.
  glLineWidth(1.0f);
  drawScene(scene);
}
