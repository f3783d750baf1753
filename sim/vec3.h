// Three-component single-precision vectors: positions, directions, velocities and RGB colours.
//
// Every function forms its result in double precision and rounds each component, length or
// squared length to float when it returns, so results are the same on every build. They are
// defined here, inline, because the flocking calls them hundreds of thousands of times a second.
#pragma once

#include <cmath>

struct Vec3 {
  float x;
  float y;
  float z;
};

namespace vec3_detail {
inline double squaredLengthInDouble(Vec3 a) {
  const double x = a.x;
  const double y = a.y;
  const double z = a.z;
  return x * x + y * y + z * z;
}
}  // namespace vec3_detail

inline Vec3 vec3Zero() { return Vec3{0.0f, 0.0f, 0.0f}; }

inline Vec3 vec3Add(Vec3 a, Vec3 b) {
  return Vec3{static_cast<float>(static_cast<double>(a.x) + b.x),
              static_cast<float>(static_cast<double>(a.y) + b.y),
              static_cast<float>(static_cast<double>(a.z) + b.z)};
}

inline Vec3 vec3Sub(Vec3 a, Vec3 b) {
  return Vec3{static_cast<float>(static_cast<double>(a.x) - b.x),
              static_cast<float>(static_cast<double>(a.y) - b.y),
              static_cast<float>(static_cast<double>(a.z) - b.z)};
}

inline Vec3 vec3Negate(Vec3 a) { return Vec3{-a.x, -a.y, -a.z}; }

inline Vec3 vec3Scale(Vec3 a, float s) {
  return Vec3{static_cast<float>(static_cast<double>(a.x) * s),
              static_cast<float>(static_cast<double>(a.y) * s),
              static_cast<float>(static_cast<double>(a.z) * s)};
}

inline float vec3Length(Vec3 a) {
  return static_cast<float>(std::sqrt(vec3_detail::squaredLengthInDouble(a)));
}

inline float vec3LengthSquared(Vec3 a) {
  return static_cast<float>(vec3_detail::squaredLengthInDouble(a));
}

// a divided by its length; a itself (no division) when the length is exactly 0.
inline Vec3 vec3Normalize(Vec3 a) {
  const float length = vec3Length(a);
  if (length == 0.0f) return a;
  return Vec3{static_cast<float>(static_cast<double>(a.x) / length),
              static_cast<float>(static_cast<double>(a.y) / length),
              static_cast<float>(static_cast<double>(a.z) / length)};
}

// a unchanged when its squared length is strictly below max * max (formed in double);
// otherwise a rescaled to length max, so a vector of length exactly max is rescaled too.
inline Vec3 vec3ClampLength(Vec3 a, float max) {
  const float squaredLength = vec3LengthSquared(a);
  if (squaredLength < static_cast<double>(max) * max) return a;
  return vec3Scale(vec3Normalize(a), max);
}
