#include "sim/wire.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "sim/random.h"
#include "tests/sim/storage_probe.h"

namespace {

std::vector<double> rawDraws(std::uint32_t seed, int count) {
  seedRandom(seed);
  std::vector<double> draws;
  for (int k = 0; k < count; ++k) draws.push_back(nextRandom());
  return draws;
}

// The range rule written out from a raw draw, in double.
double fromDraw(double r, double lo, double hi) { return lo + r * (hi - lo) / 32767.0; }

Vec3 spawnFromDraws(const double* r) {
  const double radius = static_cast<float>(fromDraw(r[0], 0.0, 0.55f));
  const double phi = static_cast<float>(fromDraw(r[1], 0.0, 6.2831855f));
  const double theta = static_cast<float>(fromDraw(r[2], 0.0, 6.2831855f));
  return Vec3{static_cast<float>(0.5 + radius * std::sin(theta) * std::cos(phi)),
              static_cast<float>(0.5 + radius * std::sin(theta) * std::sin(phi)),
              static_cast<float>(0.5 + radius * std::cos(theta))};
}

Vec3 directionFromDraws(const double* r) {  // drawn z, y, x
  return vec3Normalize(Vec3{static_cast<float>(fromDraw(r[2], -1.0, 1.0)),
                            static_cast<float>(fromDraw(r[1], -1.0, 1.0)),
                            static_cast<float>(fromDraw(r[0], -1.0, 1.0))});
}

bool sameBits(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

class WireTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(0, cellGridInit(grid, 1000, 300)); }
  void TearDown() override {
    wireArrayRelease(wires);
    cellGridRelease(grid);
  }
  CellGrid grid{};
  WireArray wires{};
};

TEST_F(WireTest, CreationTakesItsDrawsInTheFixedOrder) {
  constexpr int kDrawsPerWire = 9;
  const float base = 1.2345e-7f;
  for (std::uint32_t seed : {1u, 77u, 4000000000u}) {
    const std::vector<double> r = rawDraws(seed, 2 * kDrawsPerWire + 1);
    seedRandom(seed);
    wireArrayRelease(wires);
    ASSERT_EQ(0, wireArrayInit(wires, 2, base, grid));
    EXPECT_EQ(r[2 * kDrawsPerWire], nextRandom());  // nothing more was drawn
    for (int i = 0; i < 2; ++i) {
      const double* d = &r[i * kDrawsPerWire];
      const Wire& w = wires.items[i];
      EXPECT_EQ(static_cast<float>(fromDraw(d[0], 1e-7f, 4e-7f)), w.phaseRate);
      EXPECT_EQ(static_cast<float>(fromDraw(d[1], 0.0, 1.0)), w.phase);
      EXPECT_TRUE(sameBits(spawnFromDraws(d + 2), w.position));
      EXPECT_TRUE(sameBits(directionFromDraws(d + 5), w.heading));
      const float speed = static_cast<float>(fromDraw(d[8], 0.95f * base, 1.05f * base));
      EXPECT_EQ(speed, w.maxSpeed);
      EXPECT_EQ(0.02f * speed, w.maxForce);
    }
  }
}

TEST_F(WireTest, FreshWiresLieWithinTheirRangesOverManySeeds) {
  const float base = 1e-7f;
  const Vec3 centre{0.5f, 0.5f, 0.5f};
  float lowest = 1.0f;
  float highest = 0.0f;
  for (std::uint32_t seed = 0; seed < 200; ++seed) {
    seedRandom(seed * 2654435761u);
    wireArrayRelease(wires);
    ASSERT_EQ(0, wireArrayInit(wires, 50, base, grid));
    for (std::int32_t i = 0; i < wires.count; ++i) {
      const Wire& w = wires.items[i];
      ASSERT_TRUE(w.phase >= 0.0f && w.phase <= 1.0f);
      ASSERT_TRUE(w.phaseRate >= 1e-7f && w.phaseRate <= 4e-7f);
      ASSERT_TRUE(w.maxSpeed >= 0.95f * base && w.maxSpeed <= 1.05f * base);
      ASSERT_EQ(0, w.active);
      ASSERT_NEAR(1.0, vec3Length(w.heading), 1e-6);
      // The velocity is the heading at full speed.
      ASSERT_NEAR(0.0, vec3Length(vec3Sub(vec3Scale(w.heading, w.maxSpeed), w.velocity)),
                  w.maxSpeed * 1e-6);
      ASSERT_LE(vec3Length(vec3Sub(w.position, centre)), 0.55f + 1e-6f);
      ASSERT_EQ(cellIndexOf(w.position), grid.nodes[i].cell);
      lowest = std::fmin(lowest, std::fmin(w.position.x, std::fmin(w.position.y, w.position.z)));
      highest = std::fmax(highest, std::fmax(w.position.x, std::fmax(w.position.y, w.position.z)));
    }
  }
  // The spawn ball reaches a little outside the cube, down to -0.05 and up to 1.05.
  EXPECT_TRUE(lowest < 0.0f && lowest >= -0.05f - 1e-6f);
  EXPECT_TRUE(highest > 1.0f && highest <= 1.05f + 1e-6f);
}

TEST_F(WireTest, RespawnMovesTheWireAndBreaksItsTrail) {
  seedRandom(5);
  ASSERT_EQ(0, wireArrayInit(wires, 1, 1e-7f, grid));
  TrailSet trails{};
  ASSERT_TRUE(trailSetInit(trails, 1, 20));
  Wire& w = wires.items[0];
  w.position = Vec3{1.3f, 0.5f, 0.5f};
  w.phase = -0.01f;
  w.phaseRate = -2e-7f;
  const Wire before = w;
  const std::int32_t filedCell = grid.nodes[0].cell;

  const std::vector<double> r = rawDraws(321, 7);
  seedRandom(321);
  wireRespawn(w, trails.trails[0]);
  EXPECT_EQ(r[6], nextRandom());  // six draws: three for the place, then three for the heading

  const Trail& t = trails.trails[0];
  ASSERT_EQ(2u, t.count);
  EXPECT_TRUE(sameBits(before.position, t.points[t.oldest].position));
  EXPECT_EQ(1, t.points[t.oldest].breakAfter);
  EXPECT_TRUE(sameBits(spawnFromDraws(&r[0]), t.points[t.newest].position));
  EXPECT_EQ(0, t.points[t.newest].breakAfter);
  EXPECT_TRUE(sameBits(spawnFromDraws(&r[0]), w.position));
  EXPECT_TRUE(sameBits(directionFromDraws(&r[3]), w.heading));
  EXPECT_EQ(0.0f, w.phase);
  EXPECT_EQ(before.phaseRate, w.phaseRate);
  EXPECT_TRUE(sameBits(before.velocity, w.velocity));
  EXPECT_EQ(before.maxSpeed, w.maxSpeed);
  EXPECT_EQ(filedCell, grid.nodes[0].cell);  // not re-filed
  trailSetRelease(trails);
}

TEST_F(WireTest, EmptyNegativeAndUnobtainableArrays) {
  seedRandom(9);
  EXPECT_EQ(0, wireArrayInit(wires, 0, 1e-7f, grid));
  EXPECT_EQ(1, wireArrayInit(wires, -3, 1e-7f, grid));
  EXPECT_EQ(0, wires.count);
  {
    StorageProbe probe(1);
    EXPECT_EQ(1, wireArrayInit(wires, 10, 1e-7f, grid));
    EXPECT_EQ(0, wires.count);
    EXPECT_EQ(nullptr, wires.items);
    EXPECT_EQ(0, probe.liveBlocks());
  }
  const int first = nextRandom();  // no wire was made, so nothing was drawn or filed
  seedRandom(9);
  EXPECT_EQ(first, nextRandom());
  for (std::int32_t j = 0; j < grid.nodeCount; ++j) ASSERT_EQ(-1, grid.nodes[j].cell);
}

}  // namespace
