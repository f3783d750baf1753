#include "sim/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

std::uint32_t seedGivingFirstDraw(int draw) {
  for (std::uint32_t seed = 0;; ++seed) {
    seedRandom(seed);
    if (nextRandom() == draw) return seed;
  }
}

// True when no draw was made since seedRandom(seed).
bool nothingDrawnSince(std::uint32_t seed) {
  const int next = nextRandom();
  seedRandom(seed);
  return nextRandom() == next;
}

TEST(Random, GeneratorSequence) {
  seedRandom(1);
  EXPECT_EQ(41, nextRandom());
  EXPECT_EQ(18467, nextRandom());
  EXPECT_EQ(6334, nextRandom());
  seedRandom(1);               // the same draws through the range functions
  EXPECT_EQ(1, randomSign());  // 41 is odd
  EXPECT_EQ(10 + 18467 % 7, randomInt(10, 16));
  EXPECT_EQ(-1, randomSign());  // 6334 is even
  seedRandom(0xFFFFFFFFu);      // the state wraps modulo 2^32
  EXPECT_EQ(static_cast<int>(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF), nextRandom());
  const std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  seedRandom(1);  // the widest range neither overflows nor leaves [lo, hi]
  EXPECT_EQ(lo + 41, randomInt(lo, std::numeric_limits<std::int32_t>::max()));
}

TEST(Random, IntCoversItsClosedRange) {
  seedRandom(7);
  int seen[5] = {};
  for (int i = 0; i < 1000; ++i) {
    const std::int32_t v = randomInt(0, 4);
    ASSERT_TRUE(v >= 0 && v <= 4);
    ++seen[v];
  }
  for (int s : seen) EXPECT_GT(s, 0);
}

TEST(Random, EmptyRangesReturnLoWithoutADraw) {
  const float nan = std::nanf("");
  for (auto [lo, hi] : {std::pair<float, float>{2, 2}, {5, 2}, {nan, 1}, {0, nan}}) {
    seedRandom(99);
    const float f = randomFloat(lo, hi);
    EXPECT_TRUE(f == lo || (std::isnan(lo) && std::isnan(f)));
    EXPECT_TRUE(nothingDrawnSince(99));
    seedRandom(99);
    const double d = randomDouble(lo, hi);
    EXPECT_TRUE(d == lo || (std::isnan(lo) && std::isnan(d)));
    EXPECT_TRUE(nothingDrawnSince(99));
  }
  for (auto [lo, hi] : {std::pair<std::int32_t, std::int32_t>{3, 3}, {5, 2}}) {
    seedRandom(99);
    EXPECT_EQ(lo, randomInt(lo, hi));
    EXPECT_TRUE(nothingDrawnSince(99));
  }
}

TEST(Random, RangesAreClosedAndFormedInDouble) {
  const std::uint32_t top = seedGivingFirstDraw(32767);
  const std::uint32_t bottom = seedGivingFirstDraw(0);
  seedRandom(top);
  EXPECT_EQ(1.0f, randomFloat(0.0f, 1.0f));
  seedRandom(top);
  EXPECT_EQ(1.5e-6f, randomFloat(5e-7f, 1.5e-6f));
  seedRandom(bottom);
  EXPECT_EQ(5e-7f, randomFloat(5e-7f, 1.5e-6f));
  seedRandom(top);
  EXPECT_EQ(1.0, randomDouble(-1.0, 1.0));
  seedRandom(1);  // draw 41: formed in double, rounded once
  EXPECT_EQ(static_cast<float>(41.0 * static_cast<double>(0.55f) / 32767.0),
            randomFloat(0.0f, 0.55f));
  seedRandom(1);
  EXPECT_EQ(-1.0 + 41.0 * 2.0 / 32767.0, randomDouble(-1.0, 1.0));
}

}  // namespace
