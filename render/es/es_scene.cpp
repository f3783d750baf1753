#include "render/es/es_scene.h"

#include <cmath>

#include "render/camera.h"
#include "render/trail_fade.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Column-major 4 x 4 matrices.
struct Matrix {
  double m[16];
};

Matrix identity() {
  Matrix r{};
  r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0;
  return r;
}

Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix r{};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[column * 4 + k];
      r.m[column * 4 + row] = sum;
    }
  }
  return r;
}

Matrix translation(double x, double y, double z) {
  Matrix r = identity();
  r.m[12] = x;
  r.m[13] = y;
  r.m[14] = z;
  return r;
}

// A turn by degrees about a unit axis, as glRotate makes it.
Matrix rotation(double degrees, double x, double y, double z) {
  const double radians = degrees * kPi / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double t = 1.0 - c;
  Matrix r = identity();
  r.m[0] = x * x * t + c;
  r.m[1] = y * x * t + z * s;
  r.m[2] = x * z * t - y * s;
  r.m[4] = x * y * t - z * s;
  r.m[5] = y * y * t + c;
  r.m[6] = y * z * t + x * s;
  r.m[8] = x * z * t + y * s;
  r.m[9] = y * z * t - x * s;
  r.m[10] = z * z * t + c;
  return r;
}

// As gluPerspective makes it.
Matrix perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
  const double f = 1.0 / std::tan(fovyDegrees * kPi / 360.0);
  Matrix r{};
  r.m[0] = f / aspect;
  r.m[5] = f;
  r.m[10] = (zFar + zNear) / (zNear - zFar);
  r.m[11] = -1.0;
  r.m[14] = 2.0 * zFar * zNear / (zNear - zFar);
  return r;
}

bool trailIsDrawable(const Trail& trail) {
  return trail.active != 0 && trail.count > 0 && trail.capacity > 0 && trail.points != nullptr &&
         trail.newest < trail.capacity;
}

float clampedAlpha(float alpha) { return alpha < 0.0f ? 0.0f : (alpha > 1.0f ? 1.0f : alpha); }

}  // namespace

void esSceneMatrix(const Scene& scene, float matrix[16]) {
  const double aspect =
      scene.height > 0
          ? static_cast<double>(static_cast<float>(scene.width) / static_cast<float>(scene.height))
          : 1.0;
  Matrix m = perspective(kCameraFieldOfViewDegrees, aspect, kCameraNearPlane, kCameraFarPlane);
  m = multiply(m, translation(0.0, 0.0, scene.cameraZ));
  m = multiply(m, rotation(scene.angleX, 1.0, 0.0, 0.0));
  m = multiply(m, rotation(scene.angleY, 0.0, 1.0, 0.0));
  m = multiply(m, rotation(scene.angleZ, 0.0, 0.0, 1.0));
  Matrix scale = identity();
  scale.m[0] = scale.m[5] = scale.m[10] = 2.0;
  m = multiply(m, scale);
  m = multiply(m, translation(-0.5, -0.5, -0.5));
  for (int i = 0; i < 16; ++i) matrix[i] = static_cast<float>(m.m[i]);
}

std::uint32_t esLineVertexCapacity(const TrailSet& trails) {
  std::uint64_t total = 0;
  for (std::uint32_t i = 0; i < trails.count; ++i) total += 2u * trails.trails[i].capacity;
  return total < UINT32_MAX ? static_cast<std::uint32_t>(total) : UINT32_MAX;
}

std::uint32_t esLineVertices(const TrailSet& trails, EsLineVertex* vertices,
                             std::uint32_t capacity) {
  std::uint32_t used = 0;
  for (std::uint32_t i = 0; i < trails.count; ++i) {
    const Trail& trail = trails.trails[i];
    if (!trailIsDrawable(trail)) continue;
    const TrailFade fade = trailFadeOf(trail);
    std::uint32_t slot = trail.oldest % trail.capacity;
    bool breakBefore = false;
    bool havePrevious = false;  // a point before this one on the same line
    EsLineVertex previous{};
    const auto add = [&](Vec3 p, float alpha) {
      const EsLineVertex v{p.x, p.y, p.z, clampedAlpha(alpha), 0.0f, 0.0f, 0.0f};
      if (havePrevious && used + 2 <= capacity) {
        vertices[used++] =
            EsLineVertex{previous.x, previous.y, previous.z, previous.alpha, v.x, v.y, v.z};
        vertices[used++] = EsLineVertex{v.x, v.y, v.z, v.alpha, previous.x, previous.y, previous.z};
      }
      previous = v;
      havePrevious = true;
    };
    for (std::uint32_t k = 0; k < trail.count; ++k) {
      const TrailPoint& point = trail.points[slot];
      const bool breakHere = point.breakAfter != 0;
      add(point.position, trailPointAlpha(fade, k, slot == trail.newest, breakHere, breakBefore));
      if (breakHere) havePrevious = false;
      breakBefore = breakHere;
      if (++slot == trail.capacity) slot = 0;
    }
    add(trail.headPosition, 0.0f);
  }
  return used;
}
