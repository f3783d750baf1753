// Test helpers for whole scenes.
#pragma once

#include <cstdint>

#include "sim/random.h"
#include "sim/scene.h"

// A scene built as the saver would build it from whole percentages, after seedRandom(seed).
inline std::int32_t initSceneFromPercent(Scene& scene, std::uint32_t seed, int quantity, int size,
                                         int speed, std::uint8_t glow, std::uint8_t color,
                                         std::int32_t symmetry) {
  seedRandom(seed);
  const float q = static_cast<float>(quantity / 100.0);
  const auto wires = static_cast<std::int32_t>(static_cast<float>(q * 250.0 + 50.0));
  return sceneInit(scene, {.requestedWireCount = wires,
                           .size = static_cast<float>(size / 100.0),
                           .speed = static_cast<float>(speed / 100.0),
                           .width = 1024,
                           .height = 768,
                           .colorScheme = color,
                           .glowMode = glow,
                           .symmetry = symmetry});
}

// Puts wire i at position, files it there and sets its active flag (and its trail's).
inline void placeWire(Scene& scene, std::int32_t i, Vec3 position, std::int32_t active) {
  scene.wires.items[i].position = position;
  scene.wires.items[i].active = active;
  scene.trails.trails[i].active = active;
  cellGridInsert(scene.grid, i, cellIndexOf(position));
}
