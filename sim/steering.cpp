#include "sim/steering.h"

#include "sim/cell_grid.h"

namespace {

// Reaches are the ceilings of 2.5 and 2.0 cells of 0.1 units.
constexpr std::int32_t kFlockReach = 3;
constexpr std::int32_t kSeparationReach = 2;
constexpr float kFlockThreshold = 0.0625f;      // 0.25 units, squared, single precision
constexpr double kSeparationThreshold = 0.02;   // about 0.141 units, squared, double precision
constexpr float kCohesionWeight = 2.0f;
constexpr float kAlignmentWeight = 1.0f;
constexpr float kSeparationWeight = 1.5f;
constexpr float kCentrePullShare = 0.5f;

struct NeighbourSum {
  Vec3 sum;
  std::int32_t count;
};

// The sum with each component divided by the count as a float; (0, 0, 0) for no neighbours.
Vec3 meanOf(const NeighbourSum& s) {
  if (s.count <= 0) return vec3Zero();
  const float n = static_cast<float>(s.count);
  return Vec3{s.sum.x / n, s.sum.y / n, s.sum.z / n};
}

// The walk shared by cohesion and alignment: contribution is the neighbour's position or its
// heading.
NeighbourSum flockWalk(const Scene& scene, std::int32_t i, bool headings) {
  NeighbourSum result{vec3Zero(), 0};
  if (i < 0 || i >= scene.wires.count) return result;
  const Wire* wires = scene.wires.items;
  const Vec3 p = wires[i].position;
  cellGridVisitWindow(scene.grid, i, kFlockReach, [&](std::int32_t j) {
    const Wire& other = wires[j];
    if (other.active == 0) return;
    if (!(vec3LengthSquared(vec3Sub(p, other.position)) < kFlockThreshold)) return;
    result.sum = vec3Add(result.sum, headings ? other.heading : other.position);
    ++result.count;
  });
  return result;
}

}  // namespace

Vec3 cohesionQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  const NeighbourSum s = flockWalk(scene, i, false);
  count = s.count;
  return meanOf(s);
}

Vec3 alignmentQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  const NeighbourSum s = flockWalk(scene, i, true);
  count = s.count;
  return meanOf(s);
}

Vec3 separationQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  NeighbourSum s{vec3Zero(), 0};
  if (i >= 0 && i < scene.wires.count) {
    const Wire* wires = scene.wires.items;
    const Vec3 p = wires[i].position;
    cellGridVisitWindow(scene.grid, i, kSeparationReach, [&](std::int32_t j) {
      const Wire& other = wires[j];
      if (other.active == 0) return;
      if (!(vec3LengthSquared(vec3Sub(p, other.position)) < kSeparationThreshold)) return;
      s.sum = vec3Add(s.sum, vec3Sub(other.position, p));
      ++s.count;
    });
  }
  count = s.count;
  return vec3Negate(vec3Normalize(s.sum));
}

Vec3 steerWire(const Scene& scene, std::int32_t i) {
  if (i < 0 || i >= scene.wires.count) return vec3Zero();
  const Wire* wires = scene.wires.items;
  const Wire& wire = wires[i];
  const Vec3 p = wire.position;
  const float mf = wire.maxForce;

  // One walk of the reach-3 window gathers all three sums. Separation takes only the cells of
  // the reach-2 window, which the wider walk visits in the same increasing order.
  const CellWindow separationCells =
      cellWindowAround(scene.grid.nodes[i].cell, kSeparationReach);
  NeighbourSum cohesion{vec3Zero(), 0};
  NeighbourSum alignment{vec3Zero(), 0};
  NeighbourSum separation{vec3Zero(), 0};
  const CellNode* nodes = scene.grid.nodes;
  cellGridVisitWindow(scene.grid, i, kFlockReach, [&](std::int32_t j) {
    const Wire& other = wires[j];
    if (other.active == 0) return;
    const float squared = vec3LengthSquared(vec3Sub(p, other.position));
    if (squared < kFlockThreshold) {
      cohesion.sum = vec3Add(cohesion.sum, other.position);
      ++cohesion.count;
      alignment.sum = vec3Add(alignment.sum, other.heading);
      ++alignment.count;
    }
    if (squared < kSeparationThreshold && cellWindowContains(separationCells, nodes[j].cell)) {
      separation.sum = vec3Add(separation.sum, vec3Sub(other.position, p));
      ++separation.count;
    }
  });

  Vec3 force = vec3Zero();
  if (cohesion.count < 1) {
    const Vec3 toCentre = vec3Sub(Vec3{0.5f, 0.5f, 0.5f}, p);
    return vec3Add(force, vec3ClampLength(toCentre, kCentrePullShare * mf));
  }
  const Vec3 toMean = vec3Sub(meanOf(cohesion), p);
  force = vec3Add(force, vec3Scale(vec3ClampLength(toMean, mf), kCohesionWeight));
  if (alignment.count > 0) {
    force = vec3Add(force, vec3Scale(vec3ClampLength(meanOf(alignment), mf), kAlignmentWeight));
  }
  if (separation.count > 0) {
    const Vec3 away = vec3Negate(vec3Normalize(separation.sum));
    force = vec3Add(force, vec3Scale(vec3ClampLength(away, mf), kSeparationWeight));
  }
  return force;
}
