#include "tests/sim/flock_reference.h"

#include "sim/neighbour_cells.h"
#include "sim/steering.h"

namespace {

// Wire i exists, and every node of the grid has its wire.
bool steerable(const Scene& scene, std::int32_t i) {
  return i >= 0 && i < scene.wires.count && scene.grid.nodeCount == scene.wires.count;
}

// The sum of the neighbours' positions (or headings) divided by their number as a float.
Vec3 flockMean(const Scene& scene, std::int32_t i, bool headings, std::int32_t& count) {
  Vec3 sum = vec3Zero();
  count = 0;
  if (!steerable(scene, i)) return sum;
  const Wire* wires = scene.wires.items;
  const Vec3 p = wires[i].position;
  cellGridVisitWindow(scene.grid, i, kFlockReach, [&](std::int32_t j) {
    const Wire& other = wires[j];
    if (other.active == 0) return;
    if (!(vec3LengthSquared(vec3Sub(p, other.position)) < kFlockThreshold)) return;
    sum = vec3Add(sum, headings ? other.heading : other.position);
    ++count;
  });
  if (count == 0) return sum;
  const float n = static_cast<float>(count);
  return Vec3{sum.x / n, sum.y / n, sum.z / n};
}

}  // namespace

Vec3 cohesionQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  return flockMean(scene, i, false, count);
}

Vec3 alignmentQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  return flockMean(scene, i, true, count);
}

Vec3 separationQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  Vec3 sum = vec3Zero();
  count = 0;
  if (steerable(scene, i)) {
    const Wire* wires = scene.wires.items;
    const Vec3 p = wires[i].position;
    cellGridVisitWindow(scene.grid, i, kSeparationReach, [&](std::int32_t j) {
      const Wire& other = wires[j];
      if (other.active == 0) return;
      if (!(vec3LengthSquared(vec3Sub(p, other.position)) < kSeparationThreshold)) return;
      sum = vec3Add(sum, vec3Sub(other.position, p));
      ++count;
    });
  }
  return vec3Negate(vec3Normalize(sum));
}

Vec3 steerWireAfresh(const Scene& scene, std::int32_t i) {
  NeighbourCells cells;
  neighbourCellsFill(cells, scene);
  return steerWire(scene, i, cells);
}
