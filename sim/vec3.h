// Three-component single-precision vectors: positions, directions, velocities and RGB colours.
//
// Every function forms its result in double precision and rounds each component, length or
// squared length to float when it returns, so results are the same on every build.
#pragma once

struct Vec3 {
  float x;
  float y;
  float z;
};

Vec3 vec3Zero();
Vec3 vec3Set(float x, float y, float z);
Vec3 vec3Add(Vec3 a, Vec3 b);
Vec3 vec3Sub(Vec3 a, Vec3 b);
Vec3 vec3Negate(Vec3 a);
Vec3 vec3Scale(Vec3 a, float s);
float vec3Length(Vec3 a);
float vec3LengthSquared(Vec3 a);

// a divided by its length; a itself (no division) when the length is exactly 0.
Vec3 vec3Normalize(Vec3 a);

// a unchanged when its squared length is strictly below max * max; otherwise a rescaled to
// length max (so a vector of length exactly max is rescaled to the same length).
Vec3 vec3ClampLength(Vec3 a, float max);
