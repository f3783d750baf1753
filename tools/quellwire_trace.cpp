// quellwire-trace: builds the scene the saver would build for the given settings, from the given
// seed, advances it frame by frame with the given steps and prints its state after the build
// (frame 0) and after every frame. Bad arguments give the usage line on stderr and status 2.
#include <cstdio>

#include "sim/random.h"
#include "sim/scene.h"
#include "sim/scene_build.h"
#include "tools/trace_options.h"
#include "tools/trace_output.h"

int main(int argc, char** argv) {
  TraceOptions options;
  if (!traceParseOptions(argc - 1, argv + 1, options)) {
    std::fprintf(stderr, "%s\n", kTraceUsage);
    return 2;
  }
  const SceneParameters parameters =
      sceneParametersFromSettings(traceSettings(options), options.width, options.height);
  Scene scene{};
  seedRandom(options.seed);
  if (sceneInit(scene, parameters) != 0) {
    std::fprintf(stderr, "quellwire-trace: the scene could not be built\n");
    sceneRelease(scene);
    return 1;
  }
  tracePrintFrame(stdout, 0, scene);
  for (std::uint32_t frame = 1; frame <= options.frames && frame != 0; ++frame) {
    sceneUpdate(scene, options.stepsUs[(frame - 1) % options.stepsUs.size()]);
    tracePrintFrame(stdout, frame, scene);
  }
  sceneRelease(scene);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
