#include "sim/scene.h"

#include <cmath>

#include "sim/neighbour_cells.h"
#include "sim/palette.h"
#include "sim/steering.h"

namespace {

constexpr double kFullTurn = 360.0;

// The number of wires the scene can update: its wire, node and trail counts agree in a scene
// that was built, and the smallest keeps every index in range otherwise.
std::int32_t wireCountOf(const Scene& scene) {
  std::int32_t n = scene.wires.count;
  if (scene.grid.nodeCount < n) n = scene.grid.nodeCount;
  if (scene.trails.count < static_cast<std::uint32_t>(n < 0 ? 0 : n)) {
    n = static_cast<std::int32_t>(scene.trails.count);
  }
  return n < 0 ? 0 : n;
}

// The wires start one after another, one per activation interval after the scene was built.
void startWires(Scene& scene, std::int32_t n, std::uint32_t dt) {
  const std::uint32_t interval = scene.activationIntervalUs;
  if (interval == 0) return;
  if (scene.activationElapsedUs >= (static_cast<std::uint32_t>(n) + 1u) * interval) return;
  scene.activationElapsedUs += dt;
  const std::uint32_t started = scene.activationElapsedUs / interval;
  for (std::uint32_t i = 0; i < started && i < static_cast<std::uint32_t>(n); ++i) {
    scene.wires.items[i].active = 1;
    scene.trails.trails[i].active = 1;
  }
}

bool outsideRespawnBox(const Scene& scene, Vec3 p) {
  return p.y < scene.boundsMinY || p.y > scene.boundsMaxY || p.x > scene.boundsMaxX ||
         p.x < scene.boundsMinX || p.z > scene.boundsMaxZ || p.z < scene.boundsMinZ;
}

// Steers, moves and re-files wire i; a stray whose phase has run out is reborn near the centre.
// Wires before i have already moved in this frame, wires after it not yet.
void flyWire(Scene& scene, std::int32_t i, float dtf, NeighbourCells& cells) {
  Wire& wire = scene.wires.items[i];
  const Vec3 force = steerWire(scene, i, cells);
  if (force.x != 0.0f || force.y != 0.0f || force.z != 0.0f) {
    wire.velocity = vec3ClampLength(vec3Add(wire.velocity, force), wire.maxSpeed);
  }
  wire.position = vec3Add(wire.position, vec3Scale(wire.velocity, dtf));
  const std::int32_t fromCell = scene.grid.nodes[i].cell;
  cellGridInsert(scene.grid, i, cellIndexOf(wire.position));
  neighbourCellsRefile(cells, scene.grid, fromCell, scene.grid.nodes[i].cell);
  wire.phase = wire.phase + wire.phaseRate * dtf;
  if (outsideRespawnBox(scene, wire.position) && wire.phase <= 0.0f) {
    wireRespawn(wire, scene.trails.trails[i]);
    neighbourCellsMarkDisplaced(cells, scene.grid.nodes[i].cell);
  }
  if (wire.phase < 0.0f) {
    wire.phase = 0.0f;
    wire.phaseRate = -wire.phaseRate;
  }
  if (wire.phase > 1.0f) {
    wire.phase = 1.0f;
    wire.phaseRate = -wire.phaseRate;
  }
}

// Holds the colour for most of a cycle, blends it towards the next entry over the last part,
// and at the end of the cycle takes the next entry exactly and chooses another.
void cycleColour(Scene& scene, std::uint32_t dt) {
  const bool glow = glowIsOn(scene.glowMode);
  scene.cycleElapsedUs += dt;
  const std::uint32_t blendStart = scene.cyclePeriodUs - scene.cycleBlendUs;
  if (scene.cycleElapsedUs > scene.cyclePeriodUs) {
    scene.cycleElapsedUs = 0;
    scene.paletteIndex = scene.nextPaletteIndex;
    scene.color = paletteColor(scene.paletteIndex, glow);
    scene.nextPaletteIndex = paletteDrawNextIndex(scene.paletteIndex);
  } else if (scene.cycleElapsedUs > blendStart) {
    const float t = static_cast<float>(scene.cycleElapsedUs - blendStart) /
                    static_cast<float>(scene.cycleBlendUs);
    const Vec3 from = paletteColor(scene.paletteIndex, glow);
    const Vec3 to = paletteColor(scene.nextPaletteIndex, glow);
    scene.color = vec3Add(from, vec3Scale(vec3Sub(to, from), t));
  }
}

// Turns an angle by spin x dtf (formed in double, rounded to float) and wraps it into [0, 360).
float turn(float angle, float spin, float dtf) {
  float a = static_cast<float>(static_cast<double>(angle) + static_cast<double>(spin) * dtf);
  a = static_cast<float>(std::fmod(a, kFullTurn));
  if (a < 0.0f) a = static_cast<float>(std::fmod(a + 360.0f, kFullTurn));
  return a;
}

}  // namespace

void sceneUpdate(Scene& scene, std::uint32_t elapsedUs) {
  const std::int32_t n = wireCountOf(scene);
  const float dtf = static_cast<float>(elapsedUs);

  startWires(scene, n, elapsedUs);

  NeighbourCells cells;
  neighbourCellsFill(cells, scene);
  for (std::int32_t i = 0; i < n; ++i) {
    if (scene.wires.items[i].active != 0) flyWire(scene, i, dtf, cells);
  }

  if (scene.cycleColors != 0) cycleColour(scene, elapsedUs);

  for (std::int32_t i = 0; i < n; ++i) {
    scene.trails.trails[i].headPosition = scene.wires.items[i].position;
  }
  trailSetSample(scene.trails);

  scene.angleX = turn(scene.angleX, scene.spinX, dtf);
  scene.angleY = turn(scene.angleY, scene.spinY, dtf);
  scene.angleZ = turn(scene.angleZ, scene.spinZ, dtf);
}
