#include "sim/scene_build.h"

#include <cmath>

#include "sim/random.h"
#include "sim/storage.h"

namespace {

std::int32_t requestedWireCountFor(float quantity) {
  const float wires = static_cast<float>(static_cast<double>(quantity) * 250.0 + 50.0);
  const float whole = std::floor(wires);
  // Only a fraction far outside 0 to 1 could leave the int32 range; it is held at the edges.
  if (!(whole > -2147483648.0f)) return INT32_MIN;
  if (whole >= 2147483648.0f) return INT32_MAX;
  return static_cast<std::int32_t>(whole);
}

// Flocks built by buildScene and not yet given back; there is one thread.
std::uint32_t flocksAlive = 0;

}  // namespace

std::uint32_t flockSeed(std::uint32_t startTick, std::uint32_t othersAlive) {
  // An odd step (2^32 over the golden ratio) gives 2^32 different seeds before one repeats.
  return startTick + othersAlive * 0x9E3779B9u;
}

SceneParameters sceneParametersFromSettings(const Settings& settings, std::int32_t width,
                                            std::int32_t height) {
  return SceneParameters{.requestedWireCount = requestedWireCountFor(settings.quantity),
                         .size = settings.size,
                         .speed = settings.speed,
                         .width = width,
                         .height = height,
                         .colorScheme = settings.color,
                         .glowMode = settings.glow,
                         .symmetry = static_cast<std::int32_t>(settings.symmetry)};
}

bool buildScene(FrameClock*& clock, Scene*& scene, const Settings& settings, std::int32_t width,
                std::int32_t height, std::uint32_t nowMs) {
  if (clock == nullptr) {
    if (!storageObtainArray(clock, 1)) return false;
    frameClockInit(*clock, kFrameClockMaxDeltaMs, nowMs);
  }
  if (scene == nullptr) {
    if (!storageObtainArray(scene, 1)) return false;
    RandomGenerator generator{flockSeed(clock->startTick, flocksAlive)};
    ++flocksAlive;
    RandomGenerator* const previous = randomUse(&generator);
    const bool built = sceneInit(*scene, sceneParametersFromSettings(settings, width, height)) == 0;
    randomUse(previous);
    scene->random = generator;
    return built;
  }
  return true;
}

void releaseSceneAndClock(FrameClock*& clock, Scene*& scene) {
  if (scene != nullptr) {
    sceneRelease(*scene);
    --flocksAlive;
  }
  storageRelease(scene);
  storageRelease(clock);
  scene = nullptr;
  clock = nullptr;
}
