#include "tests/render/render_fixture.h"

#include "render/gl11/gl_api.h"
#include "render/gl11/glow_pass.h"

SaverSurface::SaverSurface(std::int32_t width, std::int32_t height)
    : textures{},
      requestedWidth_(width),
      requestedHeight_(height),
      width_(width > 1 ? width : 1),
      height_(height > 1 ? height : 1),
      buffer_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0),
      context_(OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr)) {
  OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, width_, height_);
  glViewport(0, 0, width > 0 ? width : 0, height > 0 ? height : 0);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  createGlowTextures(textures, width, height, GlowMode::HighQuality, GlowBlurRequest::Gl);
}

void SaverSurface::useGlow(GlowMode glowMode, GlowBlurRequest request, bool trimmed) {
  releaseGlowTextures(textures);
  createGlowTextures(textures, requestedWidth_, requestedHeight_, glowMode, request, trimmed);
}

SaverSurface::~SaverSurface() {
  releaseGlowTextures(textures);
  OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(context_);
}

std::vector<Rgb> SaverSurface::frame(const Scene& scene) {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  renderWithGlow(scene, textures);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  return pixels();
}

std::vector<Rgb> SaverSurface::pixels() const {
  glFinish();
  std::vector<Rgb> all;
  for (std::size_t i = 0; i < buffer_.size(); i += 4) {
    all.push_back(Rgb{buffer_[i], buffer_[i + 1], buffer_[i + 2]});
  }
  return all;
}

int litCount(const std::vector<Rgb>& pixels) {
  int lit = 0;
  for (const Rgb& p : pixels) lit += (p.r | p.g | p.b) != 0 ? 1 : 0;
  return lit;
}

int differingPixels(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
  int differing = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    differing += a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b ? 1 : 0;
  }
  return differing;
}
