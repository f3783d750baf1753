#include "render/gl11/gl11_renderer.h"

#include "render/gl11/fps_figures.h"
#include "render/gl11/gl_api.h"
#include "render/gl11/glow_pass.h"

namespace {

GlowTextures& Textures(void* record) { return *static_cast<GlowTextures*>(record); }

// The glow textures for a size, then the initial GL state for it.
bool Create(void*& record, const RendererSetup& setup) {
  createGlowTextures(Textures(record), setup.width, setup.height, setup.glowMode, setup.blurRequest,
                     !setup.keepGl11Calls);
  glViewport(0, 0, setup.width, setup.height);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_SMOOTH);
  glColor3f(0.1f, 1.0f, 0.3f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

// The viewport over the new area and the glow textures made anew for the new capture size
// (leaving the blur texture bound, as creation does).
void Resize(void* record, const RendererSetup& setup) {
  glViewport(0, 0, setup.width > 0 ? setup.width : 0, setup.height > 0 ? setup.height : 0);
  releaseGlowTextures(Textures(record));
  createGlowTextures(Textures(record), setup.width, setup.height, setup.glowMode, setup.blurRequest,
                     !setup.keepGl11Calls);
}

// Clear to black, the scene with its glow under additive blending, ordinary blending, the
// figures when asked for.
void Draw(void* record, const RenderedFrame& frame) {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(Textures(record).colourClearOnly ? GL_COLOR_BUFFER_BIT
                                           : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  if (frame.scene != nullptr) renderWithGlow(*frame.scene, Textures(record));
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (frame.showFps) drawFpsOverlay(frame.framesPerSecond, frame.width, frame.height);
}

void Release(void*& record, bool contextCurrent) {
  if (contextCurrent) {
    releaseGlowTextures(Textures(record));
  } else {
    forgetGlowTextures(Textures(record));
  }
}

}  // namespace

const Renderer kGl11Renderer{Create, Resize, Draw, Release};
