// The cost of one whole frame as the saver draws it: the scene update, the clear, the glow pass
// (renderWithGlow) and glFinish, on OSMesa. A full flock (300 wires, speed and length at 50%)
// settled for twelve simulated seconds, 10 ms steps. Arguments: the window size and the glow
// mode. Each repetition times the same 50 frames of the same scene, so runs compare like with
// like; the median of the repetitions is the figure to quote.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "render/gl_api.h"
#include "render/glow_pass.h"
#include "sim/random.h"
#include "sim/scene.h"

namespace {

constexpr std::uint32_t kStepUs = 10000;
constexpr std::uint32_t kSettleUs = 12000000;

void wholeFrame(benchmark::State& state) {
  const auto width = static_cast<std::int32_t>(state.range(0));
  const auto height = static_cast<std::int32_t>(state.range(1));
  const auto glowMode = static_cast<std::uint8_t>(state.range(2));
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
  createGlowTextures(textures, width, height);

  Scene scene{};
  seedRandom(20240601);
  if (sceneInit(scene, {.requestedWireCount = 300,
                        .size = 0.5f,
                        .speed = 0.5f,
                        .width = width,
                        .height = height,
                        .colorScheme = 6,
                        .glowMode = glowMode,
                        .symmetry = 0}) != 0) {
    state.SkipWithError("scene not built");
    return;
  }
  for (std::uint32_t t = 0; t < kSettleUs; t += kStepUs) sceneUpdate(scene, kStepUs);

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
  sceneRelease(scene);
  glDeleteTextures(2, textures.names);
  OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(context);
}

BENCHMARK(wholeFrame)
    ->ArgNames({"width", "height", "glow"})
    ->ArgsProduct({{1024}, {768}, {0, 1, 2, 3}})
    ->ArgsProduct({{1920}, {1080}, {0, 1, 2, 3}})
    ->ArgsProduct({{3840}, {2160}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
