#include "sim/vec3.h"

#include <cmath>

namespace {

double squaredLengthInDouble(Vec3 a) {
  const double x = a.x;
  const double y = a.y;
  const double z = a.z;
  return x * x + y * y + z * z;
}

}  // namespace

Vec3 vec3Zero() { return Vec3{0.0f, 0.0f, 0.0f}; }

Vec3 vec3Set(float x, float y, float z) { return Vec3{x, y, z}; }

Vec3 vec3Add(Vec3 a, Vec3 b) {
  return Vec3{static_cast<float>(static_cast<double>(a.x) + b.x),
              static_cast<float>(static_cast<double>(a.y) + b.y),
              static_cast<float>(static_cast<double>(a.z) + b.z)};
}

Vec3 vec3Sub(Vec3 a, Vec3 b) {
  return Vec3{static_cast<float>(static_cast<double>(a.x) - b.x),
              static_cast<float>(static_cast<double>(a.y) - b.y),
              static_cast<float>(static_cast<double>(a.z) - b.z)};
}

Vec3 vec3Negate(Vec3 a) { return Vec3{-a.x, -a.y, -a.z}; }

Vec3 vec3Scale(Vec3 a, float s) {
  return Vec3{static_cast<float>(static_cast<double>(a.x) * s),
              static_cast<float>(static_cast<double>(a.y) * s),
              static_cast<float>(static_cast<double>(a.z) * s)};
}

float vec3Length(Vec3 a) { return static_cast<float>(std::sqrt(squaredLengthInDouble(a))); }

float vec3LengthSquared(Vec3 a) { return static_cast<float>(squaredLengthInDouble(a)); }

Vec3 vec3Normalize(Vec3 a) {
  const float length = vec3Length(a);
  if (length == 0.0f) return a;
  return Vec3{static_cast<float>(static_cast<double>(a.x) / length),
              static_cast<float>(static_cast<double>(a.y) / length),
              static_cast<float>(static_cast<double>(a.z) / length)};
}

Vec3 vec3ClampLength(Vec3 a, float max) {
  const float squaredLength = vec3LengthSquared(a);
  if (squaredLength < static_cast<double>(max) * max) return a;
  return vec3Scale(vec3Normalize(a), max);
}
