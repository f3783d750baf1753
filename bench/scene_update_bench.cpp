// The cost of one scene update in steady state: every wire started, the flock formed (twelve
// simulated seconds after the build), a 16 ms step. Each repetition builds the same scene and
// times the same 1000 frames (simulated seconds 12 to 28), so runs compare like with like.
// Arguments: the wire-count setting in percent and the symmetry flag (0%: 50 wires, 50%: 175,
// 100%: 300, 100% with symmetry: 37).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/settled_scene.h"

namespace {

constexpr std::uint32_t kStepUs = 16000;

void sceneUpdateSteadyState(benchmark::State& state) {
  const auto percent = static_cast<std::int32_t>(state.range(0));
  const auto symmetry = static_cast<std::uint8_t>(state.range(1));
  const Settings settings{.quantity = static_cast<float>(percent / 100.0),
                          .size = 0.5f,
                          .speed = 0.5f,
                          .glow = GlowMode::HighQuality,
                          .color = ColorScheme::Cycle,
                          .symmetry = symmetry};
  Scene scene{};
  if (!buildSettledScene(scene, settings, 1024, 768, kStepUs)) {
    sceneRelease(scene);
    state.SkipWithError("scene not built");
    return;
  }
  for (auto _ : state) {
    sceneUpdate(scene, kStepUs);
    benchmark::DoNotOptimize(scene.wires.items[0].position);
  }
  state.counters["wires"] = scene.wires.count;
  sceneRelease(scene);
}

BENCHMARK(sceneUpdateSteadyState)
    ->ArgNames({"quantity", "symmetry"})
    ->Args({0, 0})
    ->Args({50, 0})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
