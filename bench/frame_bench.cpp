// The cost of one whole frame as the saver draws it: the scene update, the clear, the glow pass
// (renderWithGlow) and glFinish, on OSMesa. The default settings' flock (175 wires, speed and
// length at 50%, colour cycle) settled for twelve simulated seconds, 10 ms steps. Arguments: the
// window size, the glow mode and where the halo is blurred (0 GL, 1 the processor). Each
// repetition times the same 50 frames of the same scene, so runs compare like with like; the
// median of the repetitions is the figure to quote.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bench/settled_scene.h"
#include "render/gl_api.h"
#include "render/glow_pass.h"
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

}  // namespace

BENCHMARK_MAIN();
