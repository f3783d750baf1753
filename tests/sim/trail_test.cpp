#include "sim/trail.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tests/sim/storage_probe.h"

namespace {

std::vector<TrailPoint> held(const Trail& trail) {
  std::vector<TrailPoint> out;
  for (std::uint32_t k = 0; k < trail.count; ++k) {
    out.push_back(trail.points[(trail.oldest + k) % trail.capacity]);
  }
  return out;
}

// One active trail whose newest point is at `from` and whose head is at `head`, sampled once.
std::vector<TrailPoint> sampleOnce(Vec3 from, Vec3 head) {
  TrailSet set{};
  EXPECT_TRUE(trailSetInit(set, 1, 60));
  set.trails[0].active = 1;
  trailPush(set.trails[0], from, 0);
  set.trails[0].headPosition = head;
  trailSetSample(set);
  std::vector<TrailPoint> points = held(set.trails[0]);
  trailSetRelease(set);
  return points;
}

TEST(Trail, RingIndicesAndOrder) {
  struct Case {
    std::uint32_t capacity;
    int pushes;
    std::uint32_t count, oldest, newest;
  };
  const Case cases[] = {{4, 3, 3, 0, 2}, {4, 6, 4, 2, 1}, {4, 4, 4, 0, 3},
                        {4, 5, 4, 1, 0}, {1, 3, 1, 0, 0}, {0, 5, 0, 0, 0}};
  for (const Case& c : cases) {
    TrailSet set{};
    ASSERT_TRUE(trailSetInit(set, 1, c.capacity));
    Trail& trail = set.trails[0];
    EXPECT_EQ(0, trail.active);
    for (int k = 1; k <= c.pushes; ++k) trailPush(trail, Vec3{float(k), 0, 0}, k % 2);
    EXPECT_EQ(c.count, trail.count);
    EXPECT_EQ(c.oldest, trail.oldest);
    EXPECT_EQ(c.newest, trail.newest);
    const std::vector<TrailPoint> points = held(trail);  // the last `count` pushes, in order
    for (std::size_t k = 0; k < points.size(); ++k) {
      const int laid = c.pushes - static_cast<int>(points.size() - k) + 1;
      EXPECT_EQ(float(laid), points[k].position.x);
      EXPECT_EQ(laid % 2, points[k].breakAfter);
    }
    trailSetRelease(set);
  }
}

TEST(Trail, SamplingSpacingCapAndAnchor) {
  std::vector<TrailPoint> points = sampleOnce(Vec3{0, 0, 0}, Vec3{0.05f, 0, 0});
  ASSERT_EQ(3u, points.size());
  // remaining - 0.02 is formed in double and rounded: 0.05 -> 0.03 -> 0.01.
  const float first = static_cast<float>(0.05f - 0.02);
  EXPECT_EQ(0.05f - first, points[1].position.x);
  EXPECT_EQ(0.05f - static_cast<float>(first - 0.02), points[2].position.x);
  EXPECT_NEAR(0.04, points[2].position.x, 1e-7);

  // A head 0.5 away: exactly 5 points from the same anchor, the farthest 0.1 from it.
  points = sampleOnce(Vec3{0.1f, 0.2f, 0.3f}, Vec3{0.1f, 0.7f, 0.3f});
  ASSERT_EQ(6u, points.size());
  for (std::size_t k = 1; k < points.size(); ++k) {
    EXPECT_NEAR(0.2 + 0.02 * k, points[k].position.y, 1e-6);
    EXPECT_EQ(0.1f, points[k].position.x);
  }
  // Heads on the newest point or at most 0.02 from it lay nothing; just beyond lays one.
  for (Vec3 head : {Vec3{0, 0, 0}, Vec3{0.02f, 0, 0}, Vec3{0, 0, -0.02f}, Vec3{0.01f, 0.01f, 0}}) {
    EXPECT_EQ(1u, sampleOnce(Vec3{0, 0, 0}, head).size());
  }
  EXPECT_EQ(2u, sampleOnce(Vec3{0, 0, 0}, Vec3{0, 0, 0.0201f}).size());
}

TEST(Trail, OnlyActiveTrailsAreSampledAndAnEmptyOneTakesItsHead) {
  TrailSet set{};
  ASSERT_TRUE(trailSetInit(set, 2, 20));
  set.trails[0].headPosition = Vec3{0.3f, 0.3f, 0.3f};
  set.trails[1].headPosition = Vec3{0.6f, 0.3f, 0.3f};
  set.trails[1].active = 1;
  trailSetSample(set);
  EXPECT_EQ(0u, set.trails[0].count);
  ASSERT_EQ(1u, set.trails[1].count);
  EXPECT_EQ(0.6f, set.trails[1].points[0].position.x);
  trailSetRelease(set);
}

TEST(Trail, RandomPushesAndSamplesKeepTheRingConsistent) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<float> coord(-0.3f, 1.3f);
  std::uniform_real_distribution<float> nudge(-0.15f, 0.15f);
  for (std::uint32_t capacity : {0u, 1u, 2u, 3u, 20u, 33u, 60u}) {
    TrailSet set{};
    ASSERT_TRUE(trailSetInit(set, 3, capacity));
    set.trails[0].active = set.trails[1].active = 1;
    for (int step = 0; step < 2000; ++step) {
      Trail& t = set.trails[step % 3];
      if (step % 7 == 0) {
        trailPush(t, Vec3{coord(rng), coord(rng), coord(rng)}, step % 2);
      } else {
        t.headPosition = vec3Add(t.headPosition, Vec3{nudge(rng), nudge(rng), nudge(rng)});
        trailSetSample(set);
      }
      for (std::uint32_t i = 0; i < 3; ++i) {
        const Trail& u = set.trails[i];
        ASSERT_LE(u.count, u.capacity);
        if (u.count == 0) continue;
        ASSERT_EQ(u.newest, (u.oldest + u.count - 1) % u.capacity);
        ASSERT_TRUE(u.count == u.capacity || u.oldest == 0);
      }
    }
    trailSetRelease(set);
  }
}

TEST(Trail, StorageFailuresAreReportedAndLeaveNothingBehind) {
  // Request 1 is the array of trails, 2 to 4 the rings of trails 0 to 2.
  for (int failing = 1; failing <= 4; ++failing) {
    StorageProbe probe(failing);
    TrailSet set{};
    EXPECT_FALSE(trailSetInit(set, 3, 20));
    EXPECT_EQ(failing, probe.requests());  // stops at the first failure
    EXPECT_EQ(failing == 1 ? 0u : 3u, set.count);
    for (std::uint32_t i = failing == 1 ? 0 : failing - 2; i < set.count; ++i) {
      set.trails[i].active = 1;  // a trail without a ring ignores pushes and samples
      trailPush(set.trails[i], Vec3{1, 1, 1}, 0);
      EXPECT_EQ(0u, set.trails[i].capacity);
    }
    trailSetSample(set);
    trailSetRelease(set);
    EXPECT_EQ(0, probe.liveBlocks());
  }
  StorageProbe probe;
  TrailSet set{};
  EXPECT_TRUE(trailSetInit(set, 0, 20));
  trailSetRelease(set);
  EXPECT_EQ(0, probe.liveBlocks());
}

}  // namespace
