#include "display/frame_sequence.h"

#include <cstdlib>

#include "render/gl_api.h"
#include "render/glow_pass.h"
#include "sim/scene_build.h"

namespace {

// The glow textures for a size, the halo blurred where QUELLWIRE_BLUR, or else the renderer,
// says.
void CreateGlowTextures(FrameDriverState& state, std::int32_t width, std::int32_t height) {
  createGlowTextures(state.glowTextures, width, height, state.settings.glow,
                     glowBlurRequestFromText(std::getenv(kGlowBlurVariable)));
}

// Binds GL to the window: a context for the best format, made current, then the glow textures
// made in it.
void CreateRenderContext(FrameDriverState& state, const WindowSystem& windowSystem) {
  state.hasContext = windowSystem.createContext(windowSystem.window, kSaverSurfaceRequest);
  windowSystem.makeCurrent(windowSystem.window, true);
  CreateGlowTextures(state, state.windowWidth, state.windowHeight);
}

// The initial GL state for the recorded size, then the scene: a new frame clock started at the
// current tick (which seeds the random numbers) and a new scene from the settings and the size.
// The current context's projection and view matrices are left alone: every drawing pass loads
// its own. False when the scene could not be built.
bool InitialiseGlState(FrameDriverState& state, const WindowSystem& windowSystem) {
  glViewport(0, 0, state.windowWidth, state.windowHeight);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_SMOOTH);
  glColor3f(0.1f, 1.0f, 0.3f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // A new window always gets a new clock (so a new seed) and a new scene.
  state.frameClock = nullptr;
  state.scene = nullptr;
  return buildScene(state.frameClock, state.scene, state.settings, state.windowWidth,
                    state.windowHeight, windowSystem.tickCount(windowSystem.window));
}

}  // namespace

bool RunCreationSequence(FrameDriverState& state, const WindowSystem& windowSystem, ClientSize size,
                         const Settings& settings) {
  state.windowWidth = size.width;
  state.windowHeight = size.height;
  state.settings = settings;
  CreateRenderContext(state, windowSystem);
  return InitialiseGlState(state, windowSystem);
}

void RunFrame(FrameDriverState& state, const WindowSystem& windowSystem) {
  if (state.frameClock != nullptr && state.scene != nullptr) {
    frameClockTick(*state.frameClock, windowSystem.tickCount(windowSystem.window));
    sceneUpdate(*state.scene, state.frameClock->deltaMs * 1000u);
  }

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  if (state.scene != nullptr) renderWithGlow(*state.scene, state.glowTextures);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (state.showFps && state.hasContext) {
    fpsCounterFrame(state.fps, windowSystem.tickCount(windowSystem.window));
    drawFpsOverlay(state.fps.framesPerSecond, state.windowWidth, state.windowHeight);
  }
  windowSystem.swapBuffers(windowSystem.window);
}

bool ClientSizeChanged(const FrameDriverState& state, ClientSize size) {
  return size.width != state.windowWidth || size.height != state.windowHeight;
}

void RunResizeSequence(FrameDriverState& state, ClientSize size) {
  if (!ClientSizeChanged(state, size)) return;
  state.windowWidth = size.width;
  state.windowHeight = size.height;
  if (state.scene != nullptr) {
    state.scene->width = size.width;
    state.scene->height = size.height;
  }
  if (!state.hasContext) return;
  glViewport(0, 0, size.width > 0 ? size.width : 0, size.height > 0 ? size.height : 0);
  releaseGlowTextures(state.glowTextures);
  CreateGlowTextures(state, size.width, size.height);
}

void RunReleaseSequence(FrameDriverState& state, const WindowSystem& windowSystem) {
  releaseGlowTextures(state.glowTextures);
  windowSystem.makeCurrent(windowSystem.window, false);
  windowSystem.destroyContext(windowSystem.window);
  // The context is gone; nothing may use it again.
  state.hasContext = false;
}

void RunReleaseSequenceAfterWindowLoss(FrameDriverState& state, const WindowSystem& windowSystem) {
  windowSystem.makeCurrent(windowSystem.window, false);
  windowSystem.destroyContext(windowSystem.window);
  forgetGlowTextures(state.glowTextures);
  state.hasContext = false;
}
