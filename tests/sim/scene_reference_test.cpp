// The scene update against a plain reading of the update rules, written here from the public
// pieces: every wire is steered by steerWireAfresh (which looks at the grid afresh each call)
// rather than by the update's own incrementally kept neighbour cells. Whole runs must agree bit
// for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "sim/palette.h"
#include "sim/random.h"
#include "sim/scene.h"
#include "tests/sim/flock_reference.h"
#include "tests/sim/scene_fixture.h"

namespace {

float turnReference(float angle, float spin, float dtf) {
  float a = static_cast<float>(static_cast<double>(angle) + static_cast<double>(spin) * dtf);
  a = static_cast<float>(std::fmod(a, 360.0));
  if (a < 0.0f) a = static_cast<float>(std::fmod(a + 360.0f, 360.0));
  return a;
}

void referenceUpdate(Scene& s, std::uint32_t dt) {
  const std::int32_t n = s.wires.count;
  const float dtf = static_cast<float>(dt);
  if (s.activationElapsedUs < (static_cast<std::uint32_t>(n) + 1u) * s.activationIntervalUs) {
    s.activationElapsedUs += dt;
    for (std::uint32_t i = 0;
         i < s.activationElapsedUs / s.activationIntervalUs && i < std::uint32_t(n); ++i) {
      s.wires.items[i].active = s.trails.trails[i].active = 1;
    }
  }
  for (std::int32_t i = 0; i < n; ++i) {
    Wire& w = s.wires.items[i];
    if (w.active == 0) continue;
    const Vec3 f = steerWireAfresh(s, i);
    if (f.x != 0 || f.y != 0 || f.z != 0)
      w.velocity = vec3ClampLength(vec3Add(w.velocity, f), w.maxSpeed);
    w.position = vec3Add(w.position, vec3Scale(w.velocity, dtf));
    cellGridInsert(s.grid, i, cellIndexOf(w.position));
    w.phase = w.phase + w.phaseRate * dtf;
    const Vec3 p = w.position;
    const bool outside = p.y < s.boundsMinY || p.y > s.boundsMaxY || p.x > s.boundsMaxX ||
                         p.x < s.boundsMinX || p.z > s.boundsMaxZ || p.z < s.boundsMinZ;
    if (outside && w.phase <= 0) wireRespawn(w, s.trails.trails[i]);
    if (w.phase < 0) {
      w.phase = 0;
      w.phaseRate = -w.phaseRate;
    }
    if (w.phase > 1) {
      w.phase = 1;
      w.phaseRate = -w.phaseRate;
    }
  }
  if (s.cycleColors) {
    const bool glow = glowIsOn(s.glowMode);
    s.cycleElapsedUs += dt;
    if (s.cycleElapsedUs > s.cyclePeriodUs) {
      s.cycleElapsedUs = 0;
      s.paletteIndex = s.nextPaletteIndex;
      s.color = paletteColor(s.paletteIndex, glow);
      do s.nextPaletteIndex = static_cast<std::uint8_t>(randomInt(0, 4));
      while (s.nextPaletteIndex == s.paletteIndex);
    } else if (s.cycleElapsedUs > s.cyclePeriodUs - s.cycleBlendUs) {
      const float t = static_cast<float>(s.cycleElapsedUs - (s.cyclePeriodUs - s.cycleBlendUs)) /
                      static_cast<float>(s.cycleBlendUs);
      const Vec3 from = paletteColor(s.paletteIndex, glow);
      s.color = vec3Add(from, vec3Scale(vec3Sub(paletteColor(s.nextPaletteIndex, glow), from), t));
    }
  }
  for (std::int32_t i = 0; i < n; ++i) s.trails.trails[i].headPosition = s.wires.items[i].position;
  trailSetSample(s.trails);
  s.angleX = turnReference(s.angleX, s.spinX, dtf);
  s.angleY = turnReference(s.angleY, s.spinY, dtf);
  s.angleZ = turnReference(s.angleZ, s.spinZ, dtf);
}

bool sameBits(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

TEST(SceneReference, WholeRunsAgreeBitForBit) {
  for (std::uint32_t seed : {6u, 7u}) {
    Scene fast{};
    Scene plain{};
    ASSERT_EQ(0, initSceneFromPercent(fast, seed, 100, 50, 100, GlowMode::LowQuality,
                                      ColorScheme::Cycle, 0));
    ASSERT_EQ(0, initSceneFromPercent(plain, seed, 100, 50, 100, GlowMode::LowQuality,
                                      ColorScheme::Cycle, 0));
    std::uint32_t draws = seed;  // both runs draw from the one generator: give each its turn
    for (int frame = 0; frame < 500; ++frame) {
      const std::uint32_t dt = frame % 100 == 0 ? 2500000u : 16000u + 1000u * (frame % 9);
      seedRandom(draws);
      sceneUpdate(fast, dt);
      seedRandom(draws);
      referenceUpdate(plain, dt);
      draws = static_cast<std::uint32_t>(nextRandom()) * 65599u + static_cast<std::uint32_t>(frame);
      ASSERT_TRUE(sameBits(plain.color, fast.color));
      ASSERT_EQ(plain.angleY, fast.angleY);
      for (std::int32_t i = 0; i < fast.wires.count; ++i) {
        ASSERT_TRUE(sameBits(plain.wires.items[i].position, fast.wires.items[i].position))
            << "seed " << seed << " frame " << frame << " wire " << i;
        ASSERT_TRUE(sameBits(plain.wires.items[i].velocity, fast.wires.items[i].velocity));
        ASSERT_EQ(plain.grid.nodes[i].cell, fast.grid.nodes[i].cell);
        ASSERT_EQ(plain.trails.trails[i].newest, fast.trails.trails[i].newest);
      }
    }
    sceneRelease(fast);
    sceneRelease(plain);
  }
}

}  // namespace
