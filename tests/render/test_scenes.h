// Test helper: scenes to draw. A hand-laid scene whose trails the test places itself, and a
// flock built and advanced by the simulation as the saver does it.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/scene.h"

class HandLaidScene {
 public:
  // No trails yet, the cube unturned at the saver's usual distance.
  HandLaidScene(std::int32_t width, std::int32_t height, GlowMode glowMode, Vec3 color);
  // A trail whose ring holds the given points, each with its break flag, the oldest in slot
  // `oldest` (so a ring whose oldest slot is not 0 has wrapped), and its head.
  void addTrail(const std::vector<TrailPoint>& points, Vec3 head, std::int32_t active = 1,
                std::uint32_t oldest = 0);
  // A straight trail of `count` points 0.02 apart from `from` along `step`, head one more step on.
  void addStraightTrail(Vec3 from, Vec3 step, std::uint32_t count);
  Scene& scene();

 private:
  Scene scene_;
  std::vector<std::vector<TrailPoint>> points_;
  std::vector<Trail> trails_;
};

// The saver's scene for the given settings, advanced by `seconds` of 10 ms frames. The caller
// gives it back with sceneRelease.
Scene buildFlock(std::int32_t width, std::int32_t height, GlowMode glowMode,
                 ColorScheme colorScheme, std::int32_t symmetry, int seconds,
                 std::uint32_t seed = 7);
