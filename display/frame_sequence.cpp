#include "display/frame_sequence.h"

#include <cstdlib>

#include "display/pixel_format.h"
#include "render/gl_api.h"
#include "render/glow_pass.h"
#include "sim/scene_build.h"

namespace {

// Lets the format choice describe formats through the window system.
struct FormatSource {
  const WindowSystem* windowSystem;
  DeviceContextHandle deviceContext;
};

int DescribeThroughWindowSystem(void* device, int index, PixelFormatDescription* format) {
  const FormatSource& source = *static_cast<const FormatSource*>(device);
  return source.windowSystem->describePixelFormat(source.windowSystem->window, source.deviceContext,
                                                  index, format);
}

// The glow textures for a client size, the halo blurred where QUELLWIRE_BLUR, or else the
// renderer, says.
void CreateGlowTextures(FrameDriverState& state, std::int32_t width, std::int32_t height) {
  createGlowTextures(state.glowTextures, width, height, state.settings.glow,
                     glowBlurRequestFromText(std::getenv(kGlowBlurVariable)));
}

}  // namespace

void RunCreationSequence(FrameDriverState& state, const WindowSystem& windowSystem) {
  const ClientSize size = windowSystem.getClientSize(windowSystem.window);
  state.windowWidth = size.width;
  state.windowHeight = size.height;
  windowSystem.loadSettings(windowSystem.window, state.settings);

  CreateRenderContext(state, windowSystem);
  InitialiseGlState(state, windowSystem);
  windowSystem.startTimer(windowSystem.window, FrameTimerId, FrameTimerPeriodMs);
}

void CreateRenderContext(FrameDriverState& state, const WindowSystem& windowSystem) {
  const PixelFormatDescription descriptor = RenderContextDescriptor;
  state.deviceContext = windowSystem.getDeviceContext(windowSystem.window);

  FormatSource source{&windowSystem, state.deviceContext};
  const int format =
      ChooseScoredPixelFormat(DescribeThroughWindowSystem, &source, RenderContextRequest.colorBits,
                              RenderContextRequest.depthBits, RenderContextRequest.doubleBuffer,
                              RenderContextRequest.acceleration);
  windowSystem.setPixelFormat(windowSystem.window, state.deviceContext, format, descriptor);

  state.renderContext = windowSystem.createRenderContext(windowSystem.window, state.deviceContext);
  windowSystem.makeCurrent(windowSystem.window, state.deviceContext, state.renderContext);

  CreateGlowTextures(state, state.windowWidth, state.windowHeight);
}

void InitialiseGlState(FrameDriverState& state, const WindowSystem& windowSystem) {
  glViewport(0, 0, state.windowWidth, state.windowHeight);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_SMOOTH);
  glColor3f(0.1f, 1.0f, 0.3f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // A new window always gets a new clock (so a new seed) and a new scene; earlier ones are
  // forgotten, not freed.
  state.frameClock = nullptr;
  state.scene = nullptr;
  if (!buildScene(state.frameClock, state.scene, state.settings, state.windowWidth,
                  state.windowHeight, windowSystem.tickCount(windowSystem.window))) {
    windowSystem.endProcess(windowSystem.window, kSceneBuildFailedExitStatus);
    return;
  }
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
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
  windowSystem.swapBuffers(windowSystem.window, state.deviceContext);
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
  if (state.renderContext == nullptr) return;
  glViewport(0, 0, size.width > 0 ? size.width : 0, size.height > 0 ? size.height : 0);
  releaseGlowTextures(state.glowTextures);
  CreateGlowTextures(state, size.width, size.height);
}

void RunReleaseSequence(FrameDriverState& state, const WindowSystem& windowSystem) {
  windowSystem.stopTimer(windowSystem.window, FrameTimerId);

  releaseGlowTextures(state.glowTextures);

  windowSystem.makeCurrent(windowSystem.window, nullptr, nullptr);
  windowSystem.deleteRenderContext(windowSystem.window, state.renderContext);
  windowSystem.releaseDeviceContext(windowSystem.window, state.deviceContext);
  // The handles are gone; nothing may use them again.
  state.renderContext = nullptr;
  state.deviceContext = nullptr;
}

void RunReleaseSequenceAfterWindowLoss(FrameDriverState& state, const WindowSystem& windowSystem) {
  windowSystem.stopTimer(windowSystem.window, FrameTimerId);
  windowSystem.makeCurrent(windowSystem.window, nullptr, nullptr);
  windowSystem.deleteRenderContext(windowSystem.window, state.renderContext);
  windowSystem.releaseDeviceContext(windowSystem.window, state.deviceContext);
  forgetGlowTextures(state.glowTextures);
  state.renderContext = nullptr;
  state.deviceContext = nullptr;
}
