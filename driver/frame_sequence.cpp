#include "driver/frame_sequence.h"

#include "sim/random.h"
#include "sim/scene_build.h"

namespace {

// What the renderer is made for at a size: the glow mode, and the halo blurred where the program
// asks.
RendererSetup SetupFor(const FrameDriverState& state, std::int32_t width, std::int32_t height) {
  return RendererSetup{width, height, state.settings.glow, state.blurRequest, state.keepGl11Calls};
}

// The renderer for the context the window system made, from the program's table. A window
// system that names no kind of context makes desktop ones.
const Renderer* RendererFor(const FrameDriverState& state, const WindowSystem& windowSystem) {
  if (state.renderers == nullptr) return nullptr;
  const ContextApi api = windowSystem.contextApi != nullptr
                             ? windowSystem.contextApi(windowSystem.window)
                             : ContextApi::DesktopGl;
  return chooseRenderer(*state.renderers, state.hasContext, api);
}

// Binds GL to the window: a context for the best format, made current, then the renderer for
// it made in it with its initial state.
void CreateRenderContext(FrameDriverState& state, const WindowSystem& windowSystem) {
  state.hasContext = windowSystem.createContext(windowSystem.window, kSaverSurfaceRequest);
  windowSystem.makeCurrent(windowSystem.window, true);
  state.renderer = RendererFor(state, windowSystem);
  state.rendererRecord = &state.glowTextures;
  if (state.renderer == nullptr) return;
  if (!state.renderer->create(state.rendererRecord,
                              SetupFor(state, state.windowWidth, state.windowHeight))) {
    state.renderer = nullptr;
  }
}

// The scene: a new frame clock started at the current tick (which seeds the scene's own random
// generator) and a new scene from the settings and the size. False, with nothing of either kept,
// when the scene could not be built.
bool BuildScene(FrameDriverState& state, const WindowSystem& windowSystem) {
  releaseSceneAndClock(state.frameClock, state.scene);
  if (buildScene(state.frameClock, state.scene, state.settings, state.windowWidth,
                 state.windowHeight, windowSystem.tickCount(windowSystem.window))) {
    return true;
  }
  releaseSceneAndClock(state.frameClock, state.scene);
  return false;
}

// Gives back what the renderer made (with GL calls only while its context is current); the
// glow textures are left zeroed whichever renderer drew.
void ReleaseRenderer(FrameDriverState& state, bool contextCurrent) {
  if (state.renderer != nullptr) state.renderer->release(state.rendererRecord, contextCurrent);
  state.glowTextures.names[GlowCaptureTexture] = 0;
  state.glowTextures.names[GlowBlurTexture] = 0;
  state.renderer = nullptr;
  state.rendererRecord = nullptr;
}

}  // namespace

bool RunCreationSequence(FrameDriverState& state, const WindowSystem& windowSystem, ClientSize size,
                         const Settings& settings) {
  state.windowWidth = size.width;
  state.windowHeight = size.height;
  state.settings = settings;
  CreateRenderContext(state, windowSystem);
  return BuildScene(state, windowSystem);
}

void RunFrame(FrameDriverState& state, const WindowSystem& windowSystem) {
  AdvanceFrame(state, windowSystem);
  DrawFrame(state, windowSystem);
}

void AdvanceFrame(FrameDriverState& state, const WindowSystem& windowSystem) {
  if (state.frameClock != nullptr && state.scene != nullptr) {
    frameClockTick(*state.frameClock, windowSystem.tickCount(windowSystem.window));
    // The flock draws from its own generator.
    RandomGenerator* const previous = randomUse(&state.scene->random);
    sceneUpdate(*state.scene, state.frameClock->deltaMs * 1000u);
    randomUse(previous);
  }
}

void DrawFrame(FrameDriverState& state, const WindowSystem& windowSystem) {
  const bool showFps = state.showFps && state.hasContext;
  if (showFps) fpsCounterFrame(state.fps, windowSystem.tickCount(windowSystem.window));
  if (state.renderer != nullptr) {
    state.renderer->draw(state.rendererRecord,
                         RenderedFrame{state.scene, state.windowWidth, state.windowHeight, showFps,
                                       state.fps.framesPerSecond});
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
  if (!state.hasContext || state.renderer == nullptr) return;
  state.renderer->resize(state.rendererRecord, SetupFor(state, size.width, size.height));
}

void RunReleaseSequence(FrameDriverState& state, const WindowSystem& windowSystem) {
  ReleaseRenderer(state, true);
  windowSystem.makeCurrent(windowSystem.window, false);
  windowSystem.destroyContext(windowSystem.window);
  // The context is gone; nothing may use it again.
  state.hasContext = false;
  releaseSceneAndClock(state.frameClock, state.scene);
}

void RunReleaseSequenceAfterWindowLoss(FrameDriverState& state, const WindowSystem& windowSystem) {
  windowSystem.makeCurrent(windowSystem.window, false);
  windowSystem.destroyContext(windowSystem.window);
  ReleaseRenderer(state, false);
  state.hasContext = false;
  releaseSceneAndClock(state.frameClock, state.scene);
}
