#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "sim/palette.h"
#include "sim/scene.h"
#include "tests/sim/scene_fixture.h"

namespace {

bool sameBits(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

std::int32_t activeCount(const Scene& scene) {
  std::int32_t active = 0;
  for (std::int32_t i = 0; i < scene.wires.count; ++i) active += scene.wires.items[i].active;
  return active;
}

class SceneUpdateTest : public ::testing::Test {
 protected:
  void TearDown() override { sceneRelease(scene); }
  Scene scene{};
};

TEST_F(SceneUpdateTest, StaggeredStart) {
  ASSERT_EQ(0, initSceneFromPercent(scene, 5, 0, 50, 50, GlowMode::HighQuality, ColorScheme::Cycle,
                                    0));  // 50 wires, 120,000 us
  const Vec3 parked = scene.wires.items[49].position;
  for (int frame = 1; frame <= 7; ++frame) sceneUpdate(scene, 16000);
  EXPECT_EQ(0, activeCount(scene));
  EXPECT_TRUE(sameBits(parked, scene.trails.trails[49].headPosition));
  sceneUpdate(scene, 16000);
  EXPECT_EQ(1, activeCount(scene));
  EXPECT_EQ(1, scene.trails.trails[0].active);
  for (int frame = 9; frame <= 374; ++frame) sceneUpdate(scene, 16000);
  EXPECT_EQ(49, activeCount(scene));                              // 5,984,000 us
  EXPECT_TRUE(sameBits(parked, scene.wires.items[49].position));  // waiting wires do not move
  EXPECT_TRUE(sameBits(parked, scene.trails.trails[49].headPosition));
  EXPECT_EQ(0u, scene.trails.trails[49].count);
  sceneUpdate(scene, 16000);
  EXPECT_EQ(50, activeCount(scene));  // 6,000,000 us
  for (int frame = 0; frame < 20; ++frame) sceneUpdate(scene, 16000);
  EXPECT_EQ(6128000u, scene.activationElapsedUs);  // stops once past 51 intervals
}

TEST_F(SceneUpdateTest, OneLongStepStartsEveryWire) {
  ASSERT_EQ(
      0, initSceneFromPercent(scene, 5, 100, 50, 50, GlowMode::HighQuality, ColorScheme::Cycle, 0));
  sceneUpdate(scene, 60000000);
  EXPECT_EQ(300, activeCount(scene));
  for (std::uint32_t i = 0; i < scene.trails.count; ++i)
    ASSERT_EQ(1, scene.trails.trails[i].active);
}

// One lone wire, still (no velocity, no force), at x with the phase just about to go below 0.
class RespawnTest : public SceneUpdateTest {
 protected:
  void placeStill(float x, float phaseRate) {
    ASSERT_EQ(0, initPlainScene(scene, 8, 1));
    scene.activationElapsedUs = 0xFFFFFFF0u;  // the start is over
    Wire& w = scene.wires.items[0];
    placeWire(scene, 0, Vec3{x, 0.5f, 0.5f}, 1);
    w.velocity = vec3Zero();
    w.maxForce = 0.0f;
    w.phase = 0.0f;
    w.phaseRate = phaseRate;
  }
};

TEST_F(RespawnTest, OnTheFaceOfTheBoxIsInside) {
  placeStill(1.1f, -1e-7f);
  sceneUpdate(scene, 1000);
  EXPECT_EQ(1.1f, scene.wires.items[0].position.x);
  EXPECT_EQ(0.0f, scene.wires.items[0].phase);
  EXPECT_EQ(1e-7f, scene.wires.items[0].phaseRate);  // turned round
}

TEST_F(RespawnTest, JustOutsideWithThePhaseRunOutIsReborn) {
  placeStill(1.1000001f, -1e-7f);
  const std::int32_t filed = scene.grid.nodes[0].cell;
  sceneUpdate(scene, 1000);
  const Wire& w = scene.wires.items[0];
  EXPECT_NE(1.1000001f, w.position.x);
  EXPECT_LE(vec3Length(vec3Sub(w.position, Vec3{0.5f, 0.5f, 0.5f})), 0.55f + 1e-6f);
  EXPECT_EQ(0.0f, w.phase);
  EXPECT_EQ(-1e-7f, w.phaseRate);  // still running down
  EXPECT_EQ(filed, scene.grid.nodes[0].cell);
  const Trail& t = scene.trails.trails[0];
  ASSERT_GE(t.count, 2u);
  EXPECT_EQ(1.1000001f, t.points[t.oldest].position.x);
  EXPECT_EQ(1, t.points[t.oldest].breakAfter);
  EXPECT_EQ(0, t.points[(t.oldest + 1) % t.capacity].breakAfter);
}

TEST_F(RespawnTest, AStrayWithARisingPhaseIsNotReborn) {
  placeStill(1.3f, 1e-7f);
  sceneUpdate(scene, 1000);
  EXPECT_EQ(1.3f, scene.wires.items[0].position.x);
}

TEST_F(SceneUpdateTest, ColourCycle) {
  ASSERT_EQ(0, initSceneFromPercent(scene, 21, 0, 50, 50, GlowMode::None, ColorScheme::Cycle, 1));
  const Vec3 from = paletteColor(scene.paletteIndex, false);
  const Vec3 to = paletteColor(scene.nextPaletteIndex, false);
  const std::uint8_t next = scene.nextPaletteIndex;
  for (int k = 0; k < 25; ++k) sceneUpdate(scene, 1000000);
  EXPECT_TRUE(sameBits(from, scene.color));  // at exactly 25 s no blending yet
  // A fifth of the way into the blend (not half way, where both directions meet): the colour
  // has left the current entry a fifth of the way towards the next one.
  sceneUpdate(scene, 1000000);
  EXPECT_TRUE(sameBits(vec3Add(from, vec3Scale(vec3Sub(to, from), 0.2f)), scene.color));
  sceneUpdate(scene, 3990000);  // 29.99 s
  EXPECT_EQ(29990000u, scene.cycleElapsedUs);
  sceneUpdate(scene, 20000);  // 30.01 s: the next entry exactly, a new one chosen
  EXPECT_EQ(0u, scene.cycleElapsedUs);
  EXPECT_EQ(next, scene.paletteIndex);
  EXPECT_TRUE(sameBits(to, scene.color));
  EXPECT_NE(scene.paletteIndex, scene.nextPaletteIndex);
  for (int k = 0; k < 30; ++k) sceneUpdate(scene, 1000000);
  EXPECT_EQ(30000000u, scene.cycleElapsedUs);  // exactly 30 s: t is 1, not yet a new cycle
  sceneUpdate(scene, 60000000);                // one call completes at most one cycle
  EXPECT_EQ(0u, scene.cycleElapsedUs);
}

TEST_F(SceneUpdateTest, FixedColoursNeverChange) {
  for (const GlowMode glow : {GlowMode::None, GlowMode::HighQuality}) {
    sceneRelease(scene);
    ASSERT_EQ(0, initSceneFromPercent(scene, 2, 0, 50, 50, glow, ColorScheme::Ruby, 1));
    for (int k = 0; k < 100; ++k) sceneUpdate(scene, 1000000);
    EXPECT_TRUE(
        sameBits(glowIsOn(glow) ? Vec3{0.82f, 0.1f, 0.1f} : Vec3{1.0f, 0.28f, 0.28f}, scene.color));
  }
}

TEST_F(SceneUpdateTest, AnglesWrapBothWays) {
  ASSERT_EQ(0, initSceneFromPercent(scene, 2, 0, 50, 50, GlowMode::None, ColorScheme::Ruby, 1));
  scene.angleX = 359.9f;
  scene.spinX = 2e-7f;
  scene.angleY = 0.1f;
  scene.spinY = -2e-7f;
  scene.angleZ = 0.0f;
  scene.spinZ = -1e-12f;  // a turn too small to leave 360 after adding it back
  sceneUpdate(scene, 1000000);
  EXPECT_NEAR(0.1, scene.angleX, 1e-4);
  EXPECT_NEAR(359.9, scene.angleY, 1e-4);
  EXPECT_TRUE(scene.angleZ >= 0.0f && scene.angleZ < 360.0f);
}

// The scene's invariants after every update of long runs with random steps of 1 ms to 60 s.
TEST(SceneInvariants, HoldOverLongRandomRuns) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> stepMs(1, 60000);
  for (std::uint32_t seed : {1u, 2u}) {
    for (std::int32_t symmetry : {0, 1}) {
      Scene scene{};
      ASSERT_EQ(0, initSceneFromPercent(scene, seed, 60, 40, 100, static_cast<GlowMode>(seed),
                                        ColorScheme::Cycle, symmetry));
      const std::int32_t n = scene.wires.count;
      for (int frame = 0; frame < 1500; ++frame) {
        // Mostly frame-sized steps, so the flock forms; now and then a long stall.
        const int ms = frame % 50 == 0 ? stepMs(rng) : 1 + stepMs(rng) % 40;
        sceneUpdate(scene, static_cast<std::uint32_t>(ms) * 1000u);
        ASSERT_TRUE(scene.paletteIndex < kPaletteSize && scene.nextPaletteIndex < kPaletteSize);
        ASSERT_NE(scene.paletteIndex, scene.nextPaletteIndex);
        ASSERT_LE(scene.cycleElapsedUs, scene.cyclePeriodUs);
        if (scene.cycleElapsedUs <= scene.cyclePeriodUs - scene.cycleBlendUs) {
          ASSERT_TRUE(
              sameBits(paletteColor(scene.paletteIndex, glowIsOn(scene.glowMode)), scene.color));
        }
        for (float angle : {scene.angleX, scene.angleY, scene.angleZ}) {
          ASSERT_TRUE(angle >= 0.0f && angle < 360.0f) << angle;
        }
        for (std::int32_t i = 0; i < n; ++i) {
          const Wire& w = scene.wires.items[i];
          const Trail& t = scene.trails.trails[i];
          ASSERT_EQ(w.active, t.active);
          ASSERT_TRUE(w.phase >= 0.0f && w.phase <= 1.0f);
          ASSERT_LE(vec3Length(w.velocity), w.maxSpeed * 1.00001f);
          ASSERT_NEAR(1.0, vec3Length(w.heading), 1e-5);
          ASSERT_LE(t.count, t.capacity);
          ASSERT_TRUE(sameBits(w.position, t.headPosition));
          // Filed under the cell of its position, unless just reborn (phase exactly 0).
          if (w.active != 0 && w.phase != 0.0f) {
            ASSERT_EQ(cellIndexOf(w.position), scene.grid.nodes[i].cell);
          }
        }
      }
      EXPECT_EQ(n, scene.grid.nodeCount);
      EXPECT_EQ(static_cast<std::uint32_t>(n), scene.trails.count);
      sceneRelease(scene);
    }
  }
}

}  // namespace
