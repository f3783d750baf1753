// The cost of one whole frame as the saver draws it: the scene update, the clear, the glow pass
// (renderWithGlow) and glFinish, on OSMesa. The default settings' flock (175 wires, speed and
// length at 50%, colour cycle) settled for twelve simulated seconds, 10 ms steps. Arguments: the
// window size, the glow mode and where the halo is blurred (0 GL, 1 the processor). Each
// repetition times the same 50 frames of the same scene, so runs compare like with like; the
// median of the repetitions is the figure to quote.
//
// rendererFrame times the same frame through the renderer seam on the headless window, with the
// GL 1.1 renderer on OSMesa or the ES renderer on an ES 3 context through EGL (both Mesa's
// llvmpipe, so both blur on the processor), as the whole process's CPU time: llvmpipe draws on
// threads of its own. Arguments: the window size, the glow mode and the renderer (1: ES).
#include <EGL/egl.h>
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bench/settled_scene.h"
#include "render/gl11/gl11_renderer.h"
#include "driver/headless/osmesa_window_system.h"
#include "render/es/es_renderer.h"
#include "render/gl11/gl_api.h"
#include "render/gl11/glow_pass.h"
#include "settings/stored_settings.h"

namespace {

constexpr std::uint32_t kStepUs = 10000;

void wholeFrame(benchmark::State& state) {
  const auto width = static_cast<std::int32_t>(state.range(0));
  const auto height = static_cast<std::int32_t>(state.range(1));
  Settings settings = settingsDefaults();
  settings.glow = static_cast<GlowMode>(state.range(2));
  const GlowBlurRequest request =
      state.range(3) != 0 ? GlowBlurRequest::Software : GlowBlurRequest::Gl;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
  if (context == nullptr ||
      !OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, width, height)) {
    state.SkipWithError("no OSMesa context");
    return;
  }
  glViewport(0, 0, width, height);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  GlowTextures textures{};
  createGlowTextures(textures, width, height, settings.glow, request);

  Scene scene{};
  if (!buildSettledScene(scene, settings, width, height, kStepUs)) {
    sceneRelease(scene);
    releaseGlowTextures(textures);
    state.SkipWithError("scene not built");
    return;
  }

  for (auto _ : state) {
    sceneUpdate(scene, kStepUs);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    renderWithGlow(scene, textures);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glFinish();
  }
  state.counters["wires"] = scene.wires.count;
  state.counters["software"] = textures.path == GlowBlurPath::Software ? 1 : 0;
  sceneRelease(scene);
  releaseGlowTextures(textures);
  OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(context);
}

// Both blur paths at a large and a common window size and at the size of a preview; the modes
// without a halo once, at the large size.
BENCHMARK(wholeFrame)
    ->ArgNames({"width", "height", "glow", "cpu"})
    ->ArgsProduct({{1920}, {1080}, {0, 3}, {0}})
    ->ArgsProduct({{1920}, {1080}, {1, 2}, {0, 1}})
    ->ArgsProduct({{1024}, {768}, {1, 2}, {0, 1}})
    ->ArgsProduct({{152}, {112}, {1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void rendererFrame(benchmark::State& state) {
  const auto width = static_cast<std::int32_t>(state.range(0));
  const auto height = static_cast<std::int32_t>(state.range(1));
  Settings settings = settingsDefaults();
  settings.glow = static_cast<GlowMode>(state.range(2));
  const bool es = state.range(3) != 0;
  HeadlessWindow window{};
  if (!HeadlessWindowOpen(window, width, height, &HeadlessSurfaceFormat, 1)) {
    state.SkipWithError("no memory for the window");
    return;
  }
  window.api = es ? ContextApi::Es3 : ContextApi::DesktopGl;
  const WindowSystem system = HeadlessWindowSystem(window);
  const Renderer& renderer = es ? kEsRenderer : kGl11Renderer;
  GlowTextures textures{};
  void* record = &textures;
  Scene scene{};
  const auto finish = es ? reinterpret_cast<void (*)()>(eglGetProcAddress("glFinish")) : glFinish;
  if (!system.createContext(&window, kSaverSurfaceRequest) || finish == nullptr) {
    state.SkipWithError("no context");
  } else if (system.makeCurrent(&window, true),
             !renderer.create(record, RendererSetup{width, height, settings.glow,
                                                    GlowBlurRequest::Automatic, false})) {
    state.SkipWithError("the renderer could not be made");
  } else if (!buildSettledScene(scene, settings, width, height, kStepUs)) {
    state.SkipWithError("scene not built");
  } else {
    for (auto _ : state) {
      sceneUpdate(scene, kStepUs);
      renderer.draw(record, RenderedFrame{&scene, width, height, false, 0.0});
      finish();
    }
    state.counters["wires"] = scene.wires.count;
  }
  if (record != nullptr) renderer.release(record, true);
  sceneRelease(scene);
  system.makeCurrent(&window, false);
  HeadlessWindowClose(window);
}

// Each renderer in the same run, at a common size and at 4K, with the default glow and without.
BENCHMARK(rendererFrame)
    ->ArgNames({"width", "height", "glow", "es"})
    ->ArgsProduct({{1920}, {1080}, {0, 2}, {0, 1}})
    ->ArgsProduct({{3840}, {2160}, {0, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
