#include "sim/vec3.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectNear(Vec3 expected, Vec3 actual) {
  EXPECT_FLOAT_EQ(expected.x, actual.x);
  EXPECT_FLOAT_EQ(expected.y, actual.y);
  EXPECT_FLOAT_EQ(expected.z, actual.z);
}

TEST(Vec3, Operations) {
  const Vec3 a{1.0f, -2.0f, 3.5f};
  const Vec3 b{0.5f, 4.0f, -1.0f};
  expectNear(Vec3{1.5f, 2.0f, 2.5f}, vec3Add(a, b));
  expectNear(Vec3{0.5f, -6.0f, 4.5f}, vec3Sub(a, b));
  expectNear(Vec3{-1.0f, 2.0f, -3.5f}, vec3Negate(a));
  expectNear(Vec3{2.0f, -4.0f, 7.0f}, vec3Scale(a, 2.0f));
  EXPECT_EQ(9.0f, vec3LengthSquared(Vec3{1, 2, 2}));
  EXPECT_EQ(3.0f, vec3Length(Vec3{1, 2, 2}));
  expectNear(vec3Zero(), vec3Normalize(vec3Zero()));
  expectNear(Vec3{0.6f, 0.0f, 0.8f}, vec3Normalize(Vec3{3, 0, 4}));
  EXPECT_TRUE(std::isnan(vec3Length(Vec3{std::nanf(""), 0, 0})));
}

TEST(Vec3, LengthsAreFormedInDoublePrecision) {
  // Summed in single precision these would round to 0x1.b089ap-8 and 0x1.a1b632p-5.
  EXPECT_EQ(0x1.b0899ep-8f, vec3LengthSquared(Vec3{0.01f, 0.01f, 0.08f}));
  EXPECT_EQ(0x1.a1b63p-5f, vec3Length(Vec3{0.01f, 0.0f, 0.05f}));
}

TEST(Vec3, ClampLength) {
  struct Case {
    Vec3 input;
    float max;
    Vec3 expected;
  };
  const Case cases[] = {{{3, 0, 4}, 10.0f, {3, 0, 4}},       // shorter: unchanged
                        {{3, 0, 4}, 2.0f, {1.2f, 0, 1.6f}},  // longer: rescaled
                        {{0, 0, 0}, 0.0f, {0, 0, 0}},        // zero stays zero
                        {{0, 1, 0}, 1.2e-7f, {0, 1.2e-7f, 0}}};
  for (const Case& c : cases) expectNear(c.expected, vec3ClampLength(c.input, c.max));
  // A length of exactly max is rescaled rather than passed through: (1, 1, 1) with sqrt(3)
  // rounded to float, whose square formed in double is not above 3.
  const float max = std::sqrt(3.0f);
  ASSERT_FALSE(3.0 < static_cast<double>(max) * max);
  const Vec3 rescaled = vec3Scale(vec3Normalize(Vec3{1, 1, 1}), max);
  EXPECT_EQ(rescaled.x, vec3ClampLength(Vec3{1, 1, 1}, max).x);
  EXPECT_NE(1.0f, rescaled.x);
}

}  // namespace
