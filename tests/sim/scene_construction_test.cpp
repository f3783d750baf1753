#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "sim/palette.h"
#include "sim/random.h"
#include "sim/scene.h"
#include "sim/scene_build.h"
#include "tests/sim/scene_fixture.h"
#include "tests/sim/storage_probe.h"

namespace {

bool sameBits(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

TEST(Palette, Tables) {
  EXPECT_TRUE(sameBits(Vec3{1.0f, 0.28f, 0.28f}, paletteColor(4, false)));
  EXPECT_TRUE(sameBits(Vec3{0.82f, 0.1f, 0.1f}, paletteColor(4, true)));
  EXPECT_TRUE(sameBits(paletteColor(3, false), paletteColor(3, true)));
  EXPECT_TRUE(sameBits(Vec3{0.45f, 1.0f, 0.25f}, paletteColor(0, false)));
  EXPECT_TRUE(sameBits(Vec3{0.13f, 0.38f, 0.85f}, paletteColor(1, true)));
  EXPECT_TRUE(sameBits(vec3Zero(), paletteColor(5, false)));
}

// Every percentage against the formulas, with the single-precision exceptions of the capacity.
TEST(SceneConstruction, ParametersForEveryPercentage) {
  for (int p = 0; p <= 100; ++p) {
    const Settings settings{static_cast<float>(p / 100.0), static_cast<float>(p / 100.0),
                            static_cast<float>(p / 100.0), GlowMode::None,
                            ColorScheme::Emerald,          0};
    const SceneParameters params = sceneParametersFromSettings(settings, 640, 480);
    const std::int32_t requested = 50 + (5 * p) / 2;
    ASSERT_EQ(requested, params.requestedWireCount) << p;
    for (std::int32_t symmetry : {0, 1}) {
      Scene scene{};
      seedRandom(static_cast<std::uint32_t>(p));
      SceneParameters withSymmetry = params;
      withSymmetry.symmetry = symmetry;
      ASSERT_EQ(0, sceneInit(scene, withSymmetry));
      const std::int32_t n = symmetry ? requested / 8 : requested;
      const bool shortByOne = p == 35 || p == 45 || p == 65 || p == 70 || p == 90 || p == 95;
      const std::uint32_t capacity = 20 + (2 * p) / 5 - (shortByOne ? 1 : 0);
      ASSERT_EQ(n, scene.wires.count);
      ASSERT_EQ(n, scene.grid.nodeCount);
      ASSERT_EQ(static_cast<std::uint32_t>(n), scene.trails.count);
      ASSERT_EQ(capacity, scene.trails.trails[0].capacity) << p;
      ASSERT_EQ(static_cast<std::uint32_t>(6000000 / n), scene.activationIntervalUs);
      ASSERT_EQ(static_cast<float>(settings.speed * 1.5e-7 + 5e-8), scene.baseWireSpeed);
      ASSERT_EQ(-(settings.speed * 1.5f + 4.0f), scene.cameraZ);
      ASSERT_EQ(640, scene.width);
      ASSERT_EQ(480, scene.height);
      sceneRelease(scene);
    }
  }
  struct Row {
    int p;
    std::int32_t wires, withSymmetry;
    std::uint32_t capacity, interval, intervalWithSymmetry;
  };
  for (const Row& row :
       {Row{0, 50, 6, 20, 120000, 1000000}, Row{35, 137, 17, 33, 43795, 352941},
        Row{50, 175, 21, 40, 34285, 285714}, Row{100, 300, 37, 60, 20000, 162162}}) {
    for (std::int32_t symmetry : {0, 1}) {
      Scene scene{};
      ASSERT_EQ(0, initSceneFromPercent(scene, 1, row.p, row.p, row.p, GlowMode::HighQuality,
                                        ColorScheme::Cycle, symmetry));
      EXPECT_EQ(symmetry ? row.withSymmetry : row.wires, scene.wires.count);
      EXPECT_EQ(row.capacity, scene.trails.trails[0].capacity);
      EXPECT_EQ(symmetry ? row.intervalWithSymmetry : row.interval, scene.activationIntervalUs);
      sceneRelease(scene);
    }
  }
  Scene scene{};
  ASSERT_EQ(0, initSceneFromPercent(scene, 1, 0, 0, 0, GlowMode::None, ColorScheme::Emerald, 0));
  EXPECT_EQ(5e-8f, scene.baseWireSpeed);
  EXPECT_EQ(-4.0f, scene.cameraZ);
  sceneRelease(scene);
  ASSERT_EQ(0, initSceneFromPercent(scene, 1, 0, 0, 100, GlowMode::None, ColorScheme::Emerald, 0));
  EXPECT_EQ(2e-7f, scene.baseWireSpeed);
  EXPECT_EQ(-5.5f, scene.cameraZ);
  sceneRelease(scene);
}

// The draws of the construction in order: palette, next palette, angles, spins, then the wires.
TEST(SceneConstruction, DrawOrder) {
  for (std::uint32_t seed : {1u, 2u, 3u, 12345u}) {
    for (const ColorScheme scheme : {ColorScheme::Amber, ColorScheme::Random, ColorScheme::Cycle}) {
      seedRandom(seed);
      std::vector<int> r;
      for (int k = 0; k < 40; ++k) r.push_back(nextRandom());
      std::size_t k = 0;
      const int palette = scheme == ColorScheme::Amber ? 2 : r[k++] % 5;
      int next;
      do next = r[k++] % 5;
      while (next == palette);
      const auto range = [&](double lo, double hi) {
        return static_cast<float>(lo + r[k++] * (hi - lo) / 32767.0);
      };
      const float angleX = range(0, 360);
      const float angleY = range(0, 360);
      const float angleZ = range(0, 360);
      float spins[3];
      const float bounds[3][2] = {{5e-7f, 1.5e-6f}, {8e-7f, 2e-6f}, {4e-7f, 7e-7f}};
      for (int axis = 0; axis < 3; ++axis) {
        const float magnitude = range(bounds[axis][0], bounds[axis][1]);
        spins[axis] = (r[k++] & 1) ? magnitude : -magnitude;
      }
      const float firstPhaseRate = range(1e-7f, 4e-7f);

      Scene scene{};
      seedRandom(seed);
      ASSERT_EQ(0, sceneInit(scene, {.requestedWireCount = 50,
                                     .size = 0.5f,
                                     .speed = 0.5f,
                                     .width = 800,
                                     .height = 600,
                                     .colorScheme = scheme,
                                     .glowMode = GlowMode::LowQuality,
                                     .symmetry = 0}));
      EXPECT_EQ(palette, scene.paletteIndex);
      EXPECT_EQ(next, scene.nextPaletteIndex);
      EXPECT_NE(scene.paletteIndex, scene.nextPaletteIndex);
      EXPECT_EQ(scheme == ColorScheme::Cycle, scene.cycleColors != 0);
      EXPECT_TRUE(sameBits(paletteColor(scene.paletteIndex, true), scene.color));
      EXPECT_EQ(angleX, scene.angleX);
      EXPECT_EQ(angleY, scene.angleY);
      EXPECT_EQ(angleZ, scene.angleZ);
      EXPECT_EQ(spins[0], scene.spinX);
      EXPECT_EQ(spins[1], scene.spinY);
      EXPECT_EQ(spins[2], scene.spinZ);
      EXPECT_EQ(firstPhaseRate, scene.wires.items[0].phaseRate);
      sceneRelease(scene);
    }
  }
}

TEST(SceneConstruction, FreshSceneIsWaitingToStart) {
  Scene scene{};
  ASSERT_EQ(0, initSceneFromPercent(scene, 77, 100, 50, 50, GlowMode::None,
                                    static_cast<ColorScheme>(9), 1));  // beyond Cycle: as Cycle
  EXPECT_EQ(37, scene.wires.count);
  EXPECT_EQ(1, scene.cycleColors);
  EXPECT_EQ(0u, scene.activationElapsedUs);
  EXPECT_EQ(0u, scene.cycleElapsedUs);
  EXPECT_EQ(1, scene.symmetry);
  for (std::int32_t i = 0; i < scene.wires.count; ++i) {
    EXPECT_EQ(0, scene.wires.items[i].active);
    EXPECT_EQ(0, scene.trails.trails[i].active);
    EXPECT_EQ(0u, scene.trails.trails[i].count);
    EXPECT_TRUE(sameBits(scene.wires.items[i].position, scene.trails.trails[i].headPosition));
  }
  sceneRelease(scene);
}

TEST(SceneConstruction, StorageFailureAtAnyComponentReportsOneAndCanBeReleased) {
  // Requests: grid heads, grid nodes, wires, trail array, then one ring per trail (6 here).
  for (int failing = 1; failing <= 10; ++failing) {
    StorageProbe probe(failing);
    Scene scene{};
    EXPECT_EQ(
        1, initSceneFromPercent(scene, 1, 0, 50, 50, GlowMode::HighQuality, ColorScheme::Cycle, 1))
        << failing;
    sceneRelease(scene);
    EXPECT_EQ(0, probe.liveBlocks());
  }
  Scene scene{};
  EXPECT_EQ(1, sceneInit(scene, plainSceneParameters(-8)));
  sceneRelease(scene);
}

TEST(SceneBuild, SeedsFromTheClockAndReportsAFailedBuild) {
  const Settings settings{0.7f, 0.35f, 0.5f, GlowMode::HighQuality, ColorScheme::Cycle, 0};
  FrameClock* clock = nullptr;
  Scene* scene = nullptr;
  ASSERT_TRUE(buildScene(clock, scene, settings, 800, 600, 1));
  EXPECT_EQ(1u, clock->startTick);
  EXPECT_EQ(1u, clock->deltaMs);
  EXPECT_EQ(60000u, clock->maxDeltaMs);
  EXPECT_EQ(225, scene->wires.count);                // 70 percent
  EXPECT_EQ(33u, scene->trails.trails[0].capacity);  // 35 percent
  EXPECT_EQ(800, scene->width);
  Scene expected{};  // the same scene as seeding with the start tick gives
  seedRandom(1);
  ASSERT_EQ(0, sceneInit(expected, sceneParametersFromSettings(settings, 800, 600)));
  EXPECT_EQ(expected.angleX, scene->angleX);
  EXPECT_TRUE(sameBits(expected.wires.items[224].position, scene->wires.items[224].position));
  sceneRelease(expected);
  // An existing clock and scene are kept.
  FrameClock* const keptClock = clock;
  Scene* const keptScene = scene;
  EXPECT_TRUE(buildScene(clock, scene, settings, 10, 10, 99));
  EXPECT_EQ(keptClock, clock);
  EXPECT_EQ(keptScene, scene);
  EXPECT_EQ(1u, clock->startTick);
  releaseSceneAndClock(clock, scene);

  for (int failing : {1, 2, 4}) {  // the clock, the scene record, then its grid's nodes
    StorageProbe probe(failing);
    EXPECT_FALSE(buildScene(clock, scene, settings, 800, 600, 1));
    releaseSceneAndClock(clock, scene);
    EXPECT_EQ(0, probe.liveBlocks());
  }
}

}  // namespace
