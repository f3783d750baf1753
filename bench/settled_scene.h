// The flock both benchmarks time: built from settings as the saver builds it, from one fixed
// seed, and settled for twelve simulated seconds, so that every wire has started and the flock
// has formed.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "sim/random.h"
#include "sim/scene.h"
#include "sim/scene_build.h"

inline constexpr std::uint32_t kBenchSeed = 20240601;
inline constexpr std::uint32_t kBenchSettleUs = 12000000;

// False when the scene could not be built (release it all the same).
inline bool buildSettledScene(Scene& scene, const Settings& settings, std::int32_t width,
                              std::int32_t height, std::uint32_t stepUs) {
  seedRandom(kBenchSeed);
  if (sceneInit(scene, sceneParametersFromSettings(settings, width, height)) != 0) return false;
  for (std::uint32_t t = 0; t < kBenchSettleUs; t += stepUs) sceneUpdate(scene, stepUs);
  return true;
}
