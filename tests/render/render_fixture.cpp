#include "tests/render/render_fixture.h"

#include "render/gl_api.h"
#include "render/glow_pass.h"

SaverSurface::SaverSurface(std::int32_t width, std::int32_t height)
    : surface(width, height), textures{} {
  glViewport(0, 0, width > 0 ? width : 0, height > 0 ? height : 0);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_SMOOTH);
  createGlowTextures(textures, width, height);
}

SaverSurface::~SaverSurface() { glDeleteTextures(2, textures.names); }

std::vector<Rgb> SaverSurface::frame(const Scene& scene) {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  renderWithGlow(scene, textures);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  return surface.pixels();
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
