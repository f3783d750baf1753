#include "sim/steering.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr float kCohesionWeight = 2.0f;
constexpr float kAlignmentWeight = 1.0f;
constexpr float kSeparationWeight = 1.5f;
constexpr float kCentrePullShare = 0.5f;

// Four floats or four lane masks in one SSE register. A wire's position (or heading) is loaded
// with the float after it in the fourth lane, which every sum below carries along and ignores;
// lane-wise float addition and subtraction give the same bits as the Vec3 functions.
typedef float Float4 __attribute__((vector_size(16)));
typedef std::int32_t Int4 __attribute__((vector_size(16)));

Float4 loadFrom(const Wire& wire, std::size_t offset) {
  Float4 lanes;
  std::memcpy(&lanes, reinterpret_cast<const unsigned char*>(&wire) + offset, sizeof lanes);
  return lanes;
}

// v when condition holds; +0 in every lane otherwise.
Float4 keepIf(Float4 v, bool condition) {
  const std::int32_t bits = -static_cast<std::int32_t>(condition);
  const Int4 mask = {bits, bits, bits, bits};
  return reinterpret_cast<Float4>(reinterpret_cast<Int4>(v) & mask);
}

Vec3 vec3Of(Float4 v) { return Vec3{v[0], v[1], v[2]}; }

// Wire i can be steered: it exists, and every node of the grid has its wire (always so in a
// scene that was built).
bool steerable(const Scene& scene, std::int32_t i) {
  return i >= 0 && i < scene.wires.count && scene.grid.nodeCount == scene.wires.count;
}

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

}  // namespace

Vec3 steerWire(const Scene& scene, std::int32_t i, const NeighbourCells& cells) {
  if (!steerable(scene, i)) return vec3Zero();
  const Wire* wires = scene.wires.items;
  const Wire& wire = wires[i];
  const Vec3 p = wire.position;
  const float mf = wire.maxForce;

  // One walk of the reach-3 window gathers all three sums, visiting only the cells that can hold
  // a neighbour (see neighbour_cells.h). Separation takes only the cells of the reach-2 window,
  // which the wider walk visits in the same increasing order. Each sum starts at +0 and so can
  // never become -0; adding +0 for a wire that is not a neighbour then leaves it exactly as
  // skipping the wire would, and the walk needs no unpredictable branch.
  static_assert(offsetof(Wire, position) + sizeof(Float4) <= sizeof(Wire), "lane 4 is in Wire");
  static_assert(offsetof(Wire, heading) + sizeof(Float4) <= sizeof(Wire), "lane 4 is in Wire");
  const CellWindow inner = cellWindowAround(scene.grid.nodes[i].cell, kSeparationReach);
  const Float4 self = {p.x, p.y, p.z, 0.0f};
  Float4 positions = {0.0f, 0.0f, 0.0f, 0.0f};
  Float4 headings = positions;
  Float4 offsets = positions;
  std::int32_t flockCount = 0;
  std::int32_t separationCount = 0;
  FlockWindow window;
  neighbourCellsFlockWindow(window, cells, scene.grid, i, p);
  const CellGrid& grid = scene.grid;
  for (std::int32_t x = window.lowX; x <= window.highX; ++x) {
    for (std::int32_t y = window.lowY; y <= window.highY; ++y) {
      unsigned rowCells = window.rows[10 * x + y];
      while (rowCells != 0) {
        const std::int32_t z = __builtin_ctz(rowCells);
        rowCells &= rowCells - 1u;
        const std::int32_t cell = 100 * x + 10 * y + z;
        const bool cellIsInner = cellWindowContains(inner, cell);
        std::int32_t steps = 0;
        for (const CellNode* n = grid.heads[cell]; n != nullptr && steps < grid.nodeCount;
             n = n->next, ++steps) {
          const Wire& other = wires[n->index];
          if (n->index == i || other.active == 0) continue;
          const Float4 q = loadFrom(other, offsetof(Wire, position));
          const Float4 d = self - q;
          const double dx = d[0];
          const double dy = d[1];
          const double dz = d[2];
          const float squared = static_cast<float>(dx * dx + dy * dy + dz * dz);
          const bool flock = squared < kFlockThreshold;
          const bool close = (squared < kSeparationThreshold) & cellIsInner;
          positions += keepIf(q, flock);
          headings += keepIf(loadFrom(other, offsetof(Wire, heading)), flock);
          offsets += keepIf(q - self, close);
          flockCount += flock;
          separationCount += close;
        }
      }
    }
  }

  Vec3 force = vec3Zero();
  if (flockCount < 1) {
    const Vec3 toCentre = vec3Sub(Vec3{0.5f, 0.5f, 0.5f}, p);
    return vec3Add(force, vec3ClampLength(toCentre, kCentrePullShare * mf));
  }
  const Vec3 toMean = vec3Sub(meanOf(NeighbourSum{vec3Of(positions), flockCount}), p);
  force = vec3Add(force, vec3Scale(vec3ClampLength(toMean, mf), kCohesionWeight));
  const Vec3 meanHeading = meanOf(NeighbourSum{vec3Of(headings), flockCount});
  force = vec3Add(force, vec3Scale(vec3ClampLength(meanHeading, mf), kAlignmentWeight));
  if (separationCount > 0) {
    const Vec3 away = vec3Negate(vec3Normalize(vec3Of(offsets)));
    force = vec3Add(force, vec3Scale(vec3ClampLength(away, mf), kSeparationWeight));
  }
  return force;
}
