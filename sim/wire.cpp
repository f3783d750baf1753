#include "sim/wire.h"

#include <cmath>

#include "sim/random.h"
#include "sim/storage.h"

namespace {

constexpr float kSpawnRadius = 0.55f;
constexpr float kFullCircle = 6.2831855f;
constexpr double kCentre = 0.5;

}  // namespace

Vec3 randomSpawnPosition() {
  const float r = randomFloat(0.0f, kSpawnRadius);
  const float phi = randomFloat(0.0f, kFullCircle);
  const float theta = randomFloat(0.0f, kFullCircle);
  // The double-precision sin and cos of the float angles; the float overloads give other bits.
  const double radius = r;
  const double sinTheta = std::sin(static_cast<double>(theta));
  const double cosTheta = std::cos(static_cast<double>(theta));
  const double sinPhi = std::sin(static_cast<double>(phi));
  const double cosPhi = std::cos(static_cast<double>(phi));
  return Vec3{static_cast<float>(kCentre + radius * sinTheta * cosPhi),
              static_cast<float>(kCentre + radius * sinTheta * sinPhi),
              static_cast<float>(kCentre + radius * cosTheta)};
}

Vec3 randomDirection() {
  const float z = static_cast<float>(randomDouble(-1.0, 1.0));
  const float y = static_cast<float>(randomDouble(-1.0, 1.0));
  const float x = static_cast<float>(randomDouble(-1.0, 1.0));
  return vec3Normalize(Vec3{x, y, z});
}

std::int32_t wireArrayInit(WireArray& array, std::int32_t count, float baseWireSpeed,
                           CellGrid& grid) {
  array.count = 0;
  array.items = nullptr;
  if (count < 0 || !storageObtainArray(array.items, static_cast<std::size_t>(count))) return 1;
  array.count = count;
  for (std::int32_t i = 0; i < count; ++i) {
    const float phaseRate = randomFloat(1e-7f, 4e-7f);
    wireInit(array.items[i], i, phaseRate, baseWireSpeed, grid);
  }
  return 0;
}

void wireArrayRelease(WireArray& array) {
  storageRelease(array.items);
  array.count = 0;
  array.items = nullptr;
}

std::int32_t wireInit(Wire& wire, std::int32_t index, float phaseRate, float baseWireSpeed,
                      CellGrid& grid) {
  wire.phase = randomFloat(0.0f, 1.0f);
  wire.phaseRate = phaseRate;
  wire.position = randomSpawnPosition();
  const Vec3 direction = randomDirection();
  wire.heading = direction;
  const float speed = randomFloat(0.95f * baseWireSpeed, 1.05f * baseWireSpeed);
  wire.maxSpeed = speed;
  wire.maxForce = 0.02f * speed;
  wire.velocity = vec3ClampLength(direction, speed);
  cellGridInsert(grid, index, cellIndexOf(wire.position));
  wire.active = 0;
  return 0;
}

void wireRespawn(Wire& wire, Trail& trail) {
  trailPush(trail, wire.position, 1);
  wire.position = randomSpawnPosition();
  trailPush(trail, wire.position, 0);
  wire.heading = randomDirection();
  wire.phase = 0.0f;
}
