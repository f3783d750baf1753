// Test helpers for whole scenes.
#pragma once

#include <cstdint>

#include "sim/random.h"
#include "sim/scene.h"
#include "sim/scene_build.h"

// A scene built as the saver would build it from whole percentages, after seedRandom(seed).
inline std::int32_t initSceneFromPercent(Scene& scene, std::uint32_t seed, int quantity, int size,
                                         int speed, GlowMode glow, ColorScheme color,
                                         std::int32_t symmetry) {
  seedRandom(seed);
  const Settings settings{.quantity = static_cast<float>(quantity / 100.0),
                          .size = static_cast<float>(size / 100.0),
                          .speed = static_cast<float>(speed / 100.0),
                          .glow = glow,
                          .color = color,
                          .symmetry = static_cast<std::uint8_t>(symmetry)};
  return sceneInit(scene, sceneParametersFromSettings(settings, 1024, 768));
}

// A 100x100 scene of count wires at the middle settings, without colour cycle or glow: the
// ground for tests that place their wires by hand.
inline SceneParameters plainSceneParameters(std::int32_t count) {
  return {.requestedWireCount = count,
          .size = 0.5f,
          .speed = 0.5f,
          .width = 100,
          .height = 100,
          .colorScheme = ColorScheme::Emerald,
          .glowMode = GlowMode::None,
          .symmetry = 0};
}

// That scene built after seedRandom(seed).
inline std::int32_t initPlainScene(Scene& scene, std::uint32_t seed, std::int32_t count) {
  seedRandom(seed);
  return sceneInit(scene, plainSceneParameters(count));
}

// Puts wire i at position, files it there and sets its active flag (and its trail's).
inline void placeWire(Scene& scene, std::int32_t i, Vec3 position, std::int32_t active) {
  scene.wires.items[i].position = position;
  scene.wires.items[i].active = active;
  scene.trails.trails[i].active = active;
  cellGridInsert(scene.grid, i, cellIndexOf(position));
}
