#include "driver/frame_sequence.h"

#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "render/gl11/gl11_renderer.h"
#include "driver/headless/osmesa_window_system.h"
#include "render/glow_sizes.h"
#include "settings/stored_settings.h"
#include "sim/random.h"
#include "sim/scene_build.h"
#include "sim/storage.h"

namespace {

// ---- The order of the platform calls, seen through a recording window system. ----

struct RecordingWindow {
  bool contextMade = true;
  std::vector<std::string> calls;
  std::uint32_t tick = 5000;
};

RecordingWindow& Recorder(void* window) { return *static_cast<RecordingWindow*>(window); }

WindowSystem RecordingWindowSystem(RecordingWindow& window) {
  WindowSystem system{};
  system.window = &window;
  system.clientSize = [](void* w) {
    Recorder(w).calls.push_back("clientSize");
    return ClientSize{640, 480};
  };
  system.createContext = [](void* w, const SurfaceRequest& request) {
    Recorder(w).calls.push_back("createContext " + std::to_string(request.colorBits) + " " +
                                std::to_string(request.depthBits) + " " +
                                std::to_string(request.doubleBuffer) + " " +
                                std::to_string(request.acceleration));
    return Recorder(w).contextMade;
  };
  system.makeCurrent = [](void* w, bool current) {
    Recorder(w).calls.push_back(current ? "makeCurrent" : "makeNoneCurrent");
  };
  system.swapBuffers = [](void* w) { Recorder(w).calls.push_back("swapBuffers"); };
  system.destroyContext = [](void* w) { Recorder(w).calls.push_back("destroyContext"); };
  system.tickCount = [](void* w) {
    RecordingWindow& r = Recorder(w);
    r.calls.push_back("tickCount");
    return r.tick;
  };
  return system;
}

Settings ColourFourSettings() {
  Settings settings{};
  settings.color = ColorScheme::Ruby;
  return settings;
}

// A renderer that writes its calls into the recording window's list, among the platform's.
RecordingWindow* gRendererLog = nullptr;
int gRendererRecord = 0;

const Renderer kRecordingRenderer{
    [](void*& record, const RendererSetup& setup) {
      gRendererLog->calls.push_back("create " + std::to_string(setup.width));
      record = &gRendererRecord;
      return true;
    },
    [](void* record, const RendererSetup& setup) {
      gRendererLog->calls.push_back(std::string(record == &gRendererRecord ? "" : "?") + "resize " +
                                    std::to_string(setup.width));
    },
    [](void* record, const RenderedFrame& frame) {
      gRendererLog->calls.push_back(std::string(record == &gRendererRecord ? "" : "?") + "draw " +
                                    (frame.scene != nullptr ? "scene" : "none") +
                                    (frame.showFps ? " fps" : ""));
    },
    [](void*& record, bool contextCurrent) {
      gRendererLog->calls.push_back(contextCurrent ? "release" : "forget");
      record = nullptr;
    },
};

// The GL 1.1 renderer for desktop contexts, the recording one for ES contexts.
const RendererTable kRecordingTable{&kGl11Renderer, &kRecordingRenderer};

// Which renderer a context gets: the GL 1.1 one for a desktop context or none at all, the ES one
// for an ES context where it is linked, and nothing drawn where it is not; the sequences call
// the chosen one between the platform's steps.
TEST(FrameSequenceOrder, TheContextMadeChoosesTheRendererTheSequencesCall) {
  const RendererTable desktopOnly{&kGl11Renderer, nullptr};
  EXPECT_EQ(chooseRenderer(kRecordingTable, true, ContextApi::DesktopGl), &kGl11Renderer);
  EXPECT_EQ(chooseRenderer(kRecordingTable, false, ContextApi::Es3), &kGl11Renderer);
  EXPECT_EQ(chooseRenderer(kRecordingTable, true, ContextApi::Es3), &kRecordingRenderer);
  EXPECT_EQ(chooseRenderer(desktopOnly, true, ContextApi::Es3), nullptr);

  RecordingWindow window;
  gRendererLog = &window;
  WindowSystem system = RecordingWindowSystem(window);
  system.contextApi = [](void*) { return ContextApi::Es3; };
  FrameDriverState state{};
  state.renderers = &kRecordingTable;
  state.showFps = true;
  ASSERT_TRUE(RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings()));
  RunFrame(state, system);
  RunResizeSequence(state, ClientSize{320, 200});
  RunReleaseSequence(state, system);
  EXPECT_EQ(state.scene, nullptr);
  RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings());
  RunReleaseSequenceAfterWindowLoss(state, system);
  EXPECT_EQ(state.frameClock, nullptr);
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{
                "createContext -1 -1 1 1", "makeCurrent", "create 640", "tickCount", "tickCount",
                "tickCount", "draw scene fps", "swapBuffers", "resize 320", "release",
                "makeNoneCurrent", "destroyContext", "createContext -1 -1 1 1", "makeCurrent",
                "create 640", "tickCount", "makeNoneCurrent", "destroyContext", "forget"}));
  EXPECT_EQ(state.rendererRecord, nullptr);

  // Without an ES renderer the frames show nothing drawn.
  state.renderers = &desktopOnly;
  window.calls.clear();
  RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings());
  RunFrame(state, system);
  RunReleaseSequence(state, system);
  EXPECT_EQ(window.calls, (std::vector<std::string>{
                              "createContext -1 -1 1 1", "makeCurrent", "tickCount", "tickCount",
                              "tickCount", "swapBuffers", "makeNoneCurrent", "destroyContext"}));
}

// No GL context is current in these tests, so every GL call in the sequences does nothing.
// A window system that names no kind of context gets the GL 1.1 renderer, even where the ES one
// is linked.
TEST(FrameSequenceOrder, CreationFrameAndReleaseCallThePlatformInOrder) {
  RecordingWindow window;
  gRendererLog = &window;
  const WindowSystem system = RecordingWindowSystem(window);
  FrameDriverState state{};
  state.renderers = &kRecordingTable;

  EXPECT_TRUE(RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings()));
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"createContext -1 -1 1 1", "makeCurrent", "tickCount"}));
  EXPECT_EQ(state.windowWidth, 640);
  EXPECT_EQ(state.windowHeight, 480);
  EXPECT_EQ(state.settings.color, ColorScheme::Ruby);
  EXPECT_TRUE(state.hasContext);
  EXPECT_EQ(state.renderer, &kGl11Renderer);

  window.calls.clear();
  RunFrame(state, system);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"tickCount", "swapBuffers"}));
  // The frame-rate figures read the clock once more, before the swap.
  state.showFps = true;
  window.calls.clear();
  RunFrame(state, system);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"tickCount", "tickCount", "swapBuffers"}));
  // Its halves: the clock and the scene, then the figures' clock, the drawing and the swap.
  window.calls.clear();
  AdvanceFrame(state, system);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"tickCount"}));
  window.calls.clear();
  DrawFrame(state, system);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"tickCount", "swapBuffers"}));

  const std::vector<std::string> releaseCalls{"makeNoneCurrent", "destroyContext"};
  window.calls.clear();
  RunReleaseSequence(state, system);
  EXPECT_EQ(window.calls, releaseCalls);
  EXPECT_FALSE(state.hasContext);

  // A window already gone is released by the same platform steps (its GL calls are left out).
  RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings());
  state.glowTextures.names[GlowCaptureTexture] = 7;
  state.glowTextures.names[GlowBlurTexture] = 8;
  window.calls.clear();
  RunReleaseSequenceAfterWindowLoss(state, system);
  EXPECT_EQ(window.calls, releaseCalls);
  EXPECT_EQ(state.glowTextures.names[GlowCaptureTexture], 0u);
  EXPECT_EQ(state.glowTextures.names[GlowBlurTexture], 0u);
  EXPECT_FALSE(state.hasContext);

  // Without a context the frames still run (and draw nothing), without the figures.
  window.contextMade = false;
  RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings());
  EXPECT_FALSE(state.hasContext);
  window.calls.clear();
  RunFrame(state, system);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"tickCount", "swapBuffers"}));
  releaseSceneAndClock(state.frameClock, state.scene);
}

// The scene: built at creation from the loaded settings, the client size and a clock started at
// the current tick (its seed); every frame advances the clock and the scene by the clock's step.
TEST(FrameSequenceScene, CreationBuildsTheSceneAndEachFrameAdvancesIt) {
  RecordingWindow window;
  const WindowSystem system = RecordingWindowSystem(window);
  FrameDriverState state{};
  RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings());
  ASSERT_NE(state.frameClock, nullptr);
  ASSERT_NE(state.scene, nullptr);
  EXPECT_EQ(state.frameClock->startTick, 5000u);
  EXPECT_EQ(state.scene->wires.count, 50);
  EXPECT_EQ(state.scene->width, 640);
  EXPECT_EQ(state.scene->paletteIndex, 4);
  window.tick = 5016;
  RunFrame(state, system);
  EXPECT_EQ(state.frameClock->deltaMs, 16u);
  EXPECT_EQ(state.scene->activationElapsedUs, 16000u);
  window.tick = 5016 + 90000;  // a long stall is capped at a minute
  RunFrame(state, system);
  EXPECT_EQ(state.scene->activationElapsedUs, 16000u + 60000000u);

  // A new window without a release between: the old flock is given back, a new clock started.
  window.tick = 7000;
  RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings());
  EXPECT_EQ(state.frameClock->startTick, 7000u);
  EXPECT_EQ(state.scene->activationElapsedUs, 0u);
  RunReleaseSequence(state, system);
  EXPECT_EQ(state.scene, nullptr);
}

// Each flock draws from a generator of its own, seeded once from its clock: a lone flock as its
// start tick seeds it (the Windows saver's, the page's after each rebuild), flocks started in the
// same millisecond still differ, and flocks built and released beside a running one never change
// its draws.
TEST(FrameSequenceScene, EachFlockDrawsFromItsOwnGenerator) {
  Settings settings = ColourFourSettings();
  settings.color = ColorScheme::Cycle;  // a draw for each change of colour
  settings.speed = 1.0f;                // and for each wire that leaves the box
  const auto positions = [](const Scene& scene) {
    std::vector<float> xyz;
    for (std::int32_t i = 0; i < scene.wires.count; ++i) {
      const Vec3 p = scene.wires.items[i].position;
      xyz.insert(xyz.end(), {p.x, p.y, p.z});
    }
    return xyz;
  };
  const auto run = [&](bool neighbours) {
    RecordingWindow one, other;  // both start at the same tick
    const WindowSystem first = RecordingWindowSystem(one);
    const WindowSystem second = RecordingWindowSystem(other);
    FrameDriverState flock{};
    FrameDriverState neighbour{};
    RunCreationSequence(flock, first, ClientSize{640, 480}, settings);
    for (int frame = 0; frame < 400; ++frame) {
      if (neighbours && frame % 100 == 0) {
        RunReleaseSequence(neighbour, second);
        other.tick = one.tick;
        RunCreationSequence(neighbour, second, ClientSize{320, 200}, settings);
        EXPECT_NE(positions(*neighbour.scene), positions(*flock.scene));
        EXPECT_NE(neighbour.scene->angleX, flock.scene->angleX);
      }
      one.tick += 500;
      RunFrame(flock, first);
      other.tick += 500;
      if (neighbours) RunFrame(neighbour, second);
    }
    const std::vector<float> drawn = positions(*flock.scene);
    RunReleaseSequence(flock, first);
    RunReleaseSequence(neighbour, second);
    return drawn;
  };
  const std::vector<float> alone = run(false);
  EXPECT_EQ(run(true), alone);

  // A lone flock is the one its start tick seeds, again after its window is made anew.
  Scene expected{};
  seedRandom(5000);
  ASSERT_EQ(0, sceneInit(expected, sceneParametersFromSettings(settings, 640, 480)));
  for (int build = 0; build < 2; ++build) {
    RecordingWindow window;
    const WindowSystem system = RecordingWindowSystem(window);
    FrameDriverState state{};
    RunCreationSequence(state, system, ClientSize{640, 480}, settings);
    EXPECT_EQ(positions(*state.scene), positions(expected));
    EXPECT_EQ(state.scene->angleX, expected.angleX);
    RunReleaseSequence(state, system);
  }
  sceneRelease(expected);
}

// The back end ends the process when told the scene could not be built.
TEST(FrameSequenceScene, ASceneThatCannotBeBuiltIsReportedAfterTheClockIsRead) {
  RecordingWindow window;
  const WindowSystem system = RecordingWindowSystem(window);
  FrameDriverState state{};
  storageSetAllocator([](std::size_t, std::size_t) -> void* { return nullptr; }, nullptr);
  EXPECT_FALSE(RunCreationSequence(state, system, ClientSize{640, 480}, ColourFourSettings()));
  storageSetAllocator(nullptr, nullptr);
  EXPECT_EQ(window.calls.back(), "tickCount");
  EXPECT_EQ(state.scene, nullptr);  // nothing of a failed build is kept
  EXPECT_EQ(state.frameClock, nullptr);
}

// ---- The GL state, run headless on OSMesa. ----

struct Size {
  std::int32_t width;
  std::int32_t height;
};

void PrintTo(const Size& size, std::ostream* out) { *out << size.width << "x" << size.height; }

std::string SizeName(const ::testing::TestParamInfo<Size>& info) {
  return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
}

class HeadlessFrameDriver : public ::testing::TestWithParam<Size> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HeadlessWindowOpen(window_, GetParam().width, GetParam().height,
                                   &HeadlessSurfaceFormat, 1));
    system_ = HeadlessWindowSystem(window_);
  }
  void TearDown() override {
    HeadlessWindowClose(window_);
    releaseSceneAndClock(state_.frameClock, state_.scene);
  }

  bool AllPixelsAre(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
    for (std::int32_t y = 0; y < window_.surfaceHeight; ++y) {
      for (std::int32_t x = 0; x < window_.surfaceWidth; ++x) {
        const std::uint8_t* p = HeadlessPixel(window_, x, y);
        if (p[0] != r || p[1] != g || p[2] != b) return false;
      }
    }
    return true;
  }

  void Create() {
    state_.renderers = &kHeadlessRenderers;
    RunCreationSequence(state_, system_, ClientSize{GetParam().width, GetParam().height},
                        settingsDefaults());
  }

  HeadlessWindow window_{};
  WindowSystem system_{};
  FrameDriverState state_{};
};

TEST_P(HeadlessFrameDriver, CreationLeavesTheInitialGlState) {
  Create();
  ASSERT_TRUE(state_.hasContext);
  EXPECT_EQ(OSMesaGetCurrentContext(), window_.context);
  EXPECT_EQ(window_.format, 1);

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], GetParam().width);
  EXPECT_EQ(viewport[3], GetParam().height);

  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  GLint value;
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_SMOOTH);
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[0], 0.1f);
  EXPECT_FLOAT_EQ(colour[1], 1.0f);
  EXPECT_FLOAT_EQ(colour[2], 0.3f);
  GLdouble depth;
  glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depth);
  EXPECT_EQ(depth, 1.0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // The glow textures are made with the context, squares of the largest power of two that fits
  // the smaller side (at least 1).
  GLint side = 1;
  while (side * 2 <= std::min(GetParam().width, GetParam().height)) side *= 2;
  for (const GLuint name : state_.glowTextures.names) {
    ASSERT_TRUE(glIsTexture(name));
    glBindTexture(GL_TEXTURE_2D, name);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, side);
    EXPECT_EQ(height, side);
  }
  RunReleaseSequence(state_, system_);

  // OSMesa draws with llvmpipe: the halo is blurred by the processor, unless the program asks
  // for GL.
  for (const GlowBlurRequest request :
       {GlowBlurRequest::Software, GlowBlurRequest::Gl, GlowBlurRequest::Automatic}) {
    state_.blurRequest = request;
    Create();
    EXPECT_EQ(state_.glowTextures.path,
              request == GlowBlurRequest::Gl ? GlowBlurPath::Gl : GlowBlurPath::Software);
    RunReleaseSequence(state_, system_);
  }
}

TEST_P(HeadlessFrameDriver, FrameClearsToBlackRestoresBlendingAndSwaps) {
  Create();
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  ASSERT_TRUE(AllPixelsAre(255, 255, 255));
  glBlendFunc(GL_ONE, GL_ZERO);

  RunFrame(state_, system_);

  EXPECT_EQ(window_.swapCount, 1u);
  EXPECT_TRUE(AllPixelsAre(0, 0, 0));
  GLint value;
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  RunReleaseSequence(state_, system_);

  // Nothing reads the depth buffer: only the Windows saver, which keeps its calls, clears it.
  if (GetParam().width == 0) return;
  for (const bool keep : {false, true}) {
    state_.keepGl11Calls = keep;
    Create();
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    RunFrame(state_, system_);
    GLfloat depth = 0.0f;
    glReadPixels(0, 0, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_NEAR(depth, keep ? 1.0f : 0.25f, 0.01f) << "keeping the calls: " << keep;
    RunReleaseSequence(state_, system_);
  }
}

// The textures must go while their context is still current, and the names must read 0 after.
GLuint namesToWatch[2] = {0, 0};
bool texturesGoneWhenUnbinding = false;
bool unbindSeen = false;
WindowSystem headlessForRelease{};

TEST_P(HeadlessFrameDriver, ReleaseDeletesTexturesBeforeTheContextAndLeavesNoneCurrent) {
  Create();
  glGenTextures(2, state_.glowTextures.names);
  for (int i = 0; i < 2; ++i) {
    namesToWatch[i] = state_.glowTextures.names[i];
    glBindTexture(GL_TEXTURE_2D, namesToWatch[i]);
    ASSERT_TRUE(glIsTexture(namesToWatch[i]));
  }

  unbindSeen = false;
  texturesGoneWhenUnbinding = false;
  headlessForRelease = system_;
  WindowSystem watched = system_;
  watched.makeCurrent = [](void* w, bool current) {
    if (!current && !unbindSeen) {
      unbindSeen = true;
      texturesGoneWhenUnbinding = OSMesaGetCurrentContext() != nullptr &&
                                  !glIsTexture(namesToWatch[0]) && !glIsTexture(namesToWatch[1]);
    }
    headlessForRelease.makeCurrent(w, current);
  };

  RunReleaseSequence(state_, watched);

  EXPECT_TRUE(unbindSeen);
  EXPECT_TRUE(texturesGoneWhenUnbinding);
  EXPECT_EQ(state_.glowTextures.names[0], 0u);
  EXPECT_EQ(state_.glowTextures.names[1], 0u);
  EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);
  EXPECT_EQ(window_.context, nullptr);
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, HeadlessFrameDriver,
                         ::testing::Values(Size{0, 0}, Size{1, 1}, Size{112, 152}, Size{1024, 768}),
                         SizeName);

// A window that changes size: the drawing follows it before the next frame, the flock carries on.
TEST(HeadlessFrameDriverResize, TheDrawingAdoptsTheNewSizeAndTheFlockCarriesOn) {
  HeadlessWindow window{};
  ASSERT_TRUE(HeadlessWindowOpen(window, 160, 120, &HeadlessSurfaceFormat, 1));
  Settings settings = settingsDefaults();
  settings.glow = GlowMode::HighQuality;
  settings.quantity = 1.0f;
  const WindowSystem system = HeadlessWindowSystem(window);
  FrameDriverState state{};
  state.renderers = &kHeadlessRenderers;
  auto runFrames = [&](int count) {
    for (int frame = 0; frame < count; ++frame) {
      window.tickMs += 10;
      RunFrame(state, system);
    }
  };
  auto blurTextureSide = [&] {
    GLint side = 0;
    glBindTexture(GL_TEXTURE_2D, state.glowTextures.names[GlowBlurTexture]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side);
    return side;
  };
  RunCreationSequence(state, system, ClientSize{160, 120}, settings);
  runFrames(150);
  Scene* const scene = state.scene;
  FrameClock* const clock = state.frameClock;
  const std::uint32_t elapsed = scene->activationElapsedUs;
  const GLuint blurName = state.glowTextures.names[GlowBlurTexture];

  RunResizeSequence(state, ClientSize{160, 120});  // the same size: nothing to do
  EXPECT_EQ(state.glowTextures.names[GlowBlurTexture], blurName);

  for (const Size size : {Size{400, 200}, Size{0, 0}, Size{1, 300}, Size{300, 400}}) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    ASSERT_TRUE(HeadlessWindowResize(window, size.width, size.height));
    ASSERT_TRUE(ClientSizeChanged(state, ClientSize{size.width, size.height}));
    RunResizeSequence(state, ClientSize{size.width, size.height});
    EXPECT_EQ(state.windowWidth, size.width);
    EXPECT_EQ(state.windowHeight, size.height);
    EXPECT_EQ(scene->width, size.width);
    EXPECT_EQ(scene->height, size.height);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], size.width);
    EXPECT_EQ(viewport[3], size.height);
    EXPECT_EQ(blurTextureSide(), glowCaptureSize(size.width, size.height));
    runFrames(5);
    EXPECT_EQ(state.scene, scene);  // the same flock, not a new one
    EXPECT_EQ(state.frameClock, clock);
    EXPECT_GT(scene->activationElapsedUs, elapsed);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }

  // At 300 x 400 (taller than wide, beyond the first size on both sides) the flock is lit
  // beyond where the 160 x 120 window ended, and centred in the new window.
  std::int64_t lit = 0, beyond = 0, sumX = 0, sumY = 0;
  for (std::int32_t y = 0; y < 400; ++y) {
    for (std::int32_t x = 0; x < 300; ++x) {
      const std::uint8_t* p = HeadlessPixel(window, x, y);
      if (p[0] < 64 && p[1] < 64 && p[2] < 64) continue;
      ++lit;
      beyond += x >= 160 || y >= 120;
      sumX += x;
      sumY += y;
    }
  }
  ASSERT_GT(lit, 500);
  EXPECT_GT(beyond, lit / 4);
  EXPECT_NEAR(static_cast<double>(sumX) / static_cast<double>(lit), 150.0, 40.0);
  EXPECT_NEAR(static_cast<double>(sumY) / static_cast<double>(lit), 200.0, 50.0);

  RunReleaseSequence(state, system);
  HeadlessWindowClose(window);
}

// OSMesa draws into the very buffer the window shows, so a swap made before the drawing would
// not show in the pixels afterwards: what the swap sees must be the finished frame.
std::vector<std::uint8_t> pixelsAtSwap;
WindowSystem headlessForSwap{};

TEST(HeadlessFrameDriverSwap, EachSwapShowsTheFinishedFrame) {
  HeadlessWindow window{};
  ASSERT_TRUE(HeadlessWindowOpen(window, 160, 120, &HeadlessSurfaceFormat, 1));
  headlessForSwap = HeadlessWindowSystem(window);
  WindowSystem system = headlessForSwap;
  system.swapBuffers = [](void* w) {
    headlessForSwap.swapBuffers(w);
    const HeadlessWindow& shown = *static_cast<HeadlessWindow*>(w);
    pixelsAtSwap.assign(shown.pixels, shown.pixels + 160 * 120 * 4);
  };
  FrameDriverState state{};
  state.renderers = &kHeadlessRenderers;
  RunCreationSequence(state, system, ClientSize{160, 120}, settingsDefaults());
  int litFrames = 0;
  for (int frame = 0; frame < 500 && litFrames < 10; ++frame) {
    window.tickMs += 10;
    RunFrame(state, system);
    glFinish();
    ASSERT_TRUE(std::equal(pixelsAtSwap.begin(), pixelsAtSwap.end(), window.pixels)) << frame;
    for (std::size_t i = 0; i < pixelsAtSwap.size(); i += 4) {
      if (pixelsAtSwap[i] | pixelsAtSwap[i + 1] | pixelsAtSwap[i + 2]) {
        ++litFrames;
        break;
      }
    }
  }
  EXPECT_EQ(litFrames, 10);
  RunReleaseSequence(state, system);
  HeadlessWindowClose(window);
}

// A device without formats: no context is made, yet the window runs its frames harmlessly.
TEST(HeadlessFrameDriverWithoutFormats, FramesDrawNothingAndNothingCrashes) {
  HeadlessWindow window{};
  ASSERT_TRUE(HeadlessWindowOpen(window, 64, 48, nullptr, 0));
  std::memset(window.pixels, 0xAB, 64 * 48 * 4);
  const WindowSystem system = HeadlessWindowSystem(window);
  FrameDriverState state{};
  state.renderers = &kHeadlessRenderers;

  EXPECT_TRUE(RunCreationSequence(state, system, ClientSize{64, 48}, settingsDefaults()));
  EXPECT_EQ(window.format, 0);
  EXPECT_FALSE(state.hasContext);
  EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);

  for (int frame = 0; frame < 3; ++frame) RunFrame(state, system);
  EXPECT_EQ(window.swapCount, 3u);
  EXPECT_EQ(*HeadlessPixel(window, 10, 10), 0xAB);

  RunReleaseSequence(state, system);
  HeadlessWindowClose(window);
}

}  // namespace
