#include "sim/steering.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "tests/sim/flock_reference.h"
#include "tests/sim/scene_fixture.h"

namespace {

// A scene of `count` wires, every one parked inactive in a far corner, to be placed by the test.
class SteeringTest : public ::testing::Test {
 protected:
  void make(std::int32_t count) {
    ASSERT_EQ(0, initPlainScene(scene, 11, count));
    for (std::int32_t i = 0; i < count; ++i) placeWire(scene, i, Vec3{0.05f, 0.05f, 0.05f}, 0);
  }
  void TearDown() override { sceneRelease(scene); }
  float mf(std::int32_t i) const { return scene.wires.items[i].maxForce; }

  Scene scene{};
};

void expectNear(Vec3 expected, Vec3 actual, float tolerance) {
  EXPECT_NEAR(expected.x, actual.x, tolerance);
  EXPECT_NEAR(expected.y, actual.y, tolerance);
  EXPECT_NEAR(expected.z, actual.z, tolerance);
}

TEST_F(SteeringTest, ALoneWireIsPulledToTheCentreAtHalfItsForce) {
  make(2);
  placeWire(scene, 0, Vec3{0.9f, 0.5f, 0.5f}, 1);
  placeWire(scene, 1, Vec3{0.85f, 0.5f, 0.5f}, 0);  // close, but not started
  expectNear(Vec3{-0.5f * mf(0), 0, 0}, steerWireAfresh(scene, 0), mf(0) * 1e-5f);
  std::int32_t count = -1;
  cohesionQuery(scene, 0, count);
  EXPECT_EQ(0, count);
  for (std::int32_t outside : {-1, 2}) {
    expectNear(vec3Zero(), steerWireAfresh(scene, outside), 0.0f);
    expectNear(vec3Zero(), separationQuery(scene, outside, count), 0.0f);
    EXPECT_EQ(0, count);
  }
}

TEST_F(SteeringTest, NeighbourPairs) {
  make(2);
  scene.wires.items[1].heading = Vec3{0, 1, 0};
  // 0.2 apart: cohesion 2 mf towards wire 1 and the mean heading at mf; no separation.
  placeWire(scene, 0, Vec3{0.4f, 0.5f, 0.5f}, 1);
  placeWire(scene, 1, Vec3{0.6f, 0.5f, 0.5f}, 1);
  std::int32_t count = 0;
  separationQuery(scene, 0, count);
  EXPECT_EQ(0, count);
  expectNear(Vec3{2 * mf(0), mf(0), 0}, steerWireAfresh(scene, 0), mf(0) * 1e-5f);
  // 0.1 apart: separation adds 1.5 mf away from wire 1, so the net pull along x is 0.5 mf.
  placeWire(scene, 1, Vec3{0.5f, 0.5f, 0.5f}, 1);
  expectNear(Vec3{-1.0f, 0, 0}, separationQuery(scene, 0, count), 1e-6f);
  EXPECT_EQ(1, count);
  expectNear(Vec3{0.5f * mf(0), mf(0), 0}, steerWireAfresh(scene, 0), mf(0) * 1e-5f);
  // Exactly 0.25 apart (squared distance 0.0625): not a neighbour.
  placeWire(scene, 0, Vec3{0.25f, 0.5f, 0.5f}, 1);
  cohesionQuery(scene, 0, count);
  EXPECT_EQ(0, count);
}

TEST_F(SteeringTest, NeighboursAreFoundAroundTheFiledCellOnly) {
  make(2);
  placeWire(scene, 0, Vec3{0.55f, 0.5f, 0.5f}, 1);
  placeWire(scene, 1, Vec3{0.05f, 0.5f, 0.5f}, 1);
  scene.wires.items[1].position = Vec3{0.5f, 0.5f, 0.5f};  // moved without re-filing
  std::int32_t count = -1;
  cohesionQuery(scene, 0, count);
  EXPECT_EQ(0, count);  // five cells away from where wire 1 is filed
  expectNear(Vec3{-0.5f * mf(0), 0, 0}, steerWireAfresh(scene, 0), mf(0) * 1e-5f);
}

// The force composed from the three queries exactly as the flocking rules state it.
Vec3 steerFromQueries(const Scene& scene, std::int32_t i, bool& separated) {
  const Wire& w = scene.wires.items[i];
  std::int32_t c1 = 0, c2 = 0, c3 = 0;
  const Vec3 mean = cohesionQuery(scene, i, c1);
  const Vec3 heading = alignmentQuery(scene, i, c2);
  const Vec3 away = separationQuery(scene, i, c3);
  Vec3 force = vec3Zero();
  separated = false;
  if (c1 < 1) {
    return vec3Add(force,
                   vec3ClampLength(vec3Sub(Vec3{0.5f, 0.5f, 0.5f}, w.position), 0.5f * w.maxForce));
  }
  force = vec3Add(force, vec3Scale(vec3ClampLength(vec3Sub(mean, w.position), w.maxForce), 2.0f));
  if (c2 > 0) force = vec3Add(force, vec3Scale(vec3ClampLength(heading, w.maxForce), 1.0f));
  if (c3 > 0) force = vec3Add(force, vec3Scale(vec3ClampLength(away, w.maxForce), 1.5f));
  separated = c3 > 0;
  return force;
}

bool sameBits(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// steerWire gathers its three sums in one walk over only the cells that can hold a neighbour;
// it must equal the force composed from the three queries bit for bit, in long runs (with the
// stale filings respawns leave) and in random states with strays outside the cube and wires
// filed far from where they are.
TEST(Steering, OneWalkEqualsTheThreeQueries) {
  for (std::uint32_t seed : {3u, 4u}) {
    Scene scene{};
    ASSERT_EQ(0, initSceneFromPercent(scene, seed, 100, 50, 100, GlowMode::HighQuality,
                                      ColorScheme::Cycle, 0));
    std::int32_t separated = 0;
    for (int frame = 0; frame < 800; ++frame) {
      for (std::int32_t i = 0; i < scene.wires.count; i += 7) {
        bool s = false;
        ASSERT_TRUE(sameBits(steerFromQueries(scene, i, s), steerWireAfresh(scene, i)))
            << "seed " << seed << " frame " << frame << " wire " << i;
        separated += s;
      }
      sceneUpdate(scene, frame < 400 ? 16000 + 997 * (frame % 13) : 100000);
    }
    EXPECT_GT(separated, 0);
    sceneRelease(scene);
  }
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> around(-0.12f, 0.12f);
  std::uniform_real_distribution<float> anywhere(-0.6f, 1.6f);
  std::uniform_int_distribution<std::int32_t> cell(0, 999);
  Scene scene{};
  ASSERT_EQ(0, initSceneFromPercent(scene, 9, 20, 50, 50, GlowMode::None, ColorScheme::Emerald,
                                    0));  // 100 wires
  for (int state = 0; state < 60; ++state) {
    const Vec3 centre{anywhere(rng), anywhere(rng), anywhere(rng)};
    for (std::int32_t i = 0; i < scene.wires.count; ++i) {
      const Vec3 p = vec3Add(centre, Vec3{around(rng), around(rng), around(rng)});
      placeWire(scene, i, p, rng() % 5 != 0);
      if (rng() % 4 == 0) cellGridInsert(scene.grid, i, cell(rng));  // filed elsewhere
    }
    for (std::int32_t i = 0; i < scene.wires.count; ++i) {
      bool s = false;
      ASSERT_TRUE(sameBits(steerFromQueries(scene, i, s), steerWireAfresh(scene, i)))
          << "state " << state << " wire " << i;
    }
  }
  sceneRelease(scene);
}

}  // namespace
