#include "tests/soak/scene_invariants.h"

#include <cmath>
#include <cstdint>

#include "sim/palette.h"

namespace {

bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool same(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
bool isAngle(float a) { return a >= 0.0f && a < 360.0f; }

const char* wiresBroken(const Scene& scene) {
  for (std::int32_t i = 0; i < scene.wires.count; ++i) {
    const Wire& w = scene.wires.items[i];
    if (!finite(w.position) || !finite(w.velocity) || !finite(w.heading) ||
        !std::isfinite(w.phase) || !std::isfinite(w.phaseRate)) {
      return "a wire holds a NaN or infinite number";
    }
    if (w.active != scene.trails.trails[i].active) return "a wire and its trail disagree";
  }
  return nullptr;
}

// Every node is in the list of exactly the cell its `cell` names, and in no other.
const char* gridBroken(const CellGrid& grid) {
  std::int32_t listed = 0;
  for (std::int32_t c = 0; c < grid.cellCount; ++c) {
    std::int32_t steps = 0;
    for (const CellNode* n = grid.heads[c]; n != nullptr; n = n->next) {
      if (++steps > grid.nodeCount) return "a cell's list loops";
      if (n->cell != c) return "a node stands in the list of another cell";
      if (n != &grid.nodes[n->index]) return "a node's number is not its slot";
      ++listed;
    }
  }
  std::int32_t filed = 0;
  for (std::int32_t i = 0; i < grid.nodeCount; ++i) {
    const std::int32_t cell = grid.nodes[i].cell;
    if (cell < -1 || cell >= grid.cellCount) return "a node is filed outside the grid";
    filed += cell >= 0;
  }
  if (filed != grid.nodeCount) return "a node is filed nowhere";
  return listed == filed ? nullptr : "a filed node is missing from its cell's list";
}

const char* trailsBroken(const TrailSet& set) {
  for (std::uint32_t t = 0; t < set.count; ++t) {
    const Trail& trail = set.trails[t];
    if (!finite(trail.headPosition)) return "a trail's head is NaN or infinite";
    if (trail.count > trail.capacity) return "a trail holds more than its ring";
    if (trail.count == 0) continue;
    if (trail.oldest >= trail.capacity || trail.newest >= trail.capacity) {
      return "a trail's slot is outside its ring";
    }
    if ((trail.oldest + trail.count - 1) % trail.capacity != trail.newest) {
      return "a trail's oldest, newest and count disagree";
    }
    if (trail.count < trail.capacity && trail.oldest != 0)
      return "a filling ring does not start at 0";
    for (std::uint32_t k = 0; k < trail.count; ++k) {
      const TrailPoint& p = trail.points[(trail.oldest + k) % trail.capacity];
      if (!finite(p.position)) return "a trail point is NaN or infinite";
    }
  }
  return nullptr;
}

}  // namespace

const char* sceneInvariantBroken(const Scene& scene) {
  const std::int32_t n = scene.wires.count;
  if (scene.grid.nodeCount != n || static_cast<std::int32_t>(scene.trails.count) != n) {
    return "wires, grid nodes and trails differ in number";
  }
  if (scene.symmetry ? (n < 6 || n > 37) : (n < 50 || n > 300)) return "wire count out of range";
  if (scene.paletteIndex >= kPaletteSize || scene.nextPaletteIndex >= kPaletteSize ||
      scene.paletteIndex == scene.nextPaletteIndex) {
    return "palette entries out of range or equal";
  }
  if (!finite(scene.color)) return "the colour is NaN or infinite";
  const bool inBlend =
      scene.cycleColors && scene.cycleElapsedUs > scene.cyclePeriodUs - scene.cycleBlendUs;
  if (!inBlend && !same(scene.color, paletteColor(scene.paletteIndex, glowIsOn(scene.glowMode)))) {
    return "the colour is not its palette entry outside the blend";
  }
  if (!isAngle(scene.angleX) || !isAngle(scene.angleY) || !isAngle(scene.angleZ)) {
    return "an angle outside [0, 360)";
  }
  if (scene.cycleElapsedUs > scene.cyclePeriodUs) return "the colour cycle ran past its period";
  if (const char* broken = wiresBroken(scene)) return broken;
  if (const char* broken = gridBroken(scene.grid)) return broken;
  return trailsBroken(scene.trails);
}

const char* sceneActivationBroken(const Scene& scene, unsigned char* wasActive) {
  for (std::int32_t i = 0; i < scene.wires.count; ++i) {
    const bool active = scene.wires.items[i].active != 0;
    if (wasActive[i] && !active) return "a wire was switched off";
    wasActive[i] = active;
  }
  return nullptr;
}
