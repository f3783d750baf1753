#include "tests/sim/flock_reference.h"

#include "sim/neighbour_cells.h"
#include "sim/steering.h"

namespace {

// The sum of contribution(neighbour) over wire i's active neighbours in the window of the given
// reach whose squared distance lies below threshold (compared in the threshold's precision);
// count receives their number. Nothing for a wire out of range or a grid without its wires.
template <typename Threshold, typename Contribution>
Vec3 neighbourSum(const Scene& scene, std::int32_t i, std::int32_t reach, Threshold threshold,
                  Contribution contribution, std::int32_t& count) {
  Vec3 sum = vec3Zero();
  count = 0;
  if (i < 0 || i >= scene.wires.count || scene.grid.nodeCount != scene.wires.count) return sum;
  const Wire* wires = scene.wires.items;
  const Vec3 p = wires[i].position;
  cellGridVisitWindow(scene.grid, i, reach, [&](std::int32_t j) {
    const Wire& other = wires[j];
    if (other.active == 0 || !(vec3LengthSquared(vec3Sub(p, other.position)) < threshold)) return;
    sum = vec3Add(sum, contribution(other, p));
    ++count;
  });
  return sum;
}

// The sum divided by the count as a float; (0, 0, 0) for no neighbours.
Vec3 meanOf(Vec3 sum, std::int32_t count) {
  if (count == 0) return vec3Zero();
  const float n = static_cast<float>(count);
  return Vec3{sum.x / n, sum.y / n, sum.z / n};
}

}  // namespace

Vec3 cohesionQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  const auto position = [](const Wire& other, Vec3) { return other.position; };
  const Vec3 sum = neighbourSum(scene, i, kFlockReach, kFlockThreshold, position, count);
  return meanOf(sum, count);
}

Vec3 alignmentQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  const auto heading = [](const Wire& other, Vec3) { return other.heading; };
  const Vec3 sum = neighbourSum(scene, i, kFlockReach, kFlockThreshold, heading, count);
  return meanOf(sum, count);
}

Vec3 separationQuery(const Scene& scene, std::int32_t i, std::int32_t& count) {
  const auto offset = [](const Wire& other, Vec3 p) { return vec3Sub(other.position, p); };
  const Vec3 sum = neighbourSum(scene, i, kSeparationReach, kSeparationThreshold, offset, count);
  return vec3Negate(vec3Normalize(sum));
}

Vec3 steerWireAfresh(const Scene& scene, std::int32_t i) {
  NeighbourCells cells;
  neighbourCellsFill(cells, scene);
  return steerWire(scene, i, cells);
}
