#include "tools/trace_output.h"

namespace {

double wide(float value) { return static_cast<double>(value); }

}  // namespace

void tracePrintFrame(std::FILE* out, std::uint32_t frame, const Scene& scene) {
  std::fprintf(out, "scene %u %u %u %.9g %.9g %.9g %.9g %.9g %.9g %u %u\n", frame,
               static_cast<unsigned>(scene.paletteIndex),
               static_cast<unsigned>(scene.nextPaletteIndex), wide(scene.color.x),
               wide(scene.color.y), wide(scene.color.z), wide(scene.angleX), wide(scene.angleY),
               wide(scene.angleZ), scene.activationElapsedUs, scene.cycleElapsedUs);
  for (std::int32_t i = 0; i < scene.wires.count; ++i) {
    const Wire& w = scene.wires.items[i];
    const std::int32_t cell = i < scene.grid.nodeCount ? scene.grid.nodes[i].cell : -1;
    std::fprintf(out,
                 "wire %u %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %d\n",
                 frame, i, w.active, wide(w.phase), wide(w.phaseRate), wide(w.position.x),
                 wide(w.position.y), wide(w.position.z), wide(w.velocity.x), wide(w.velocity.y),
                 wide(w.velocity.z), wide(w.heading.x), wide(w.heading.y), wide(w.heading.z),
                 wide(w.maxSpeed), cell);
  }
  for (std::uint32_t i = 0; i < scene.trails.count; ++i) {
    const Trail& t = scene.trails.trails[i];
    std::fprintf(out, "trail %u %u %d %u %u %u %.9g %.9g %.9g", frame, i, t.active, t.count,
                 t.oldest, t.newest, wide(t.headPosition.x), wide(t.headPosition.y),
                 wide(t.headPosition.z));
    if (t.count == 0) {
      std::fputs(" - - - -\n", out);
    } else {
      const TrailPoint& p = t.points[t.newest];
      std::fprintf(out, " %.9g %.9g %.9g %d\n", wide(p.position.x), wide(p.position.y),
                   wide(p.position.z), p.breakAfter);
    }
  }
}
