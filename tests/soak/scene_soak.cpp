// The simulation left running for days: the scene is built as the saver builds it and advanced
// through the frame clock by random steps of 1 ms to 60 s (spread evenly over their logarithm,
// so short frames and long stalls both come often), from a tick count shortly before the 32-bit
// counter wraps. Every frame the scene's invariants are checked, and the storage it uses must
// not change after it was built.
//
//   scene_soak --days D --wires 6|50|300 [--seed S]
//
// Exits 0 and prints a summary line when everything held; 1 with the first failure otherwise.
#include <malloc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "settings/stored_settings.h"
#include "sim/scene_build.h"
#include "sim/storage.h"
#include "tests/soak/scene_invariants.h"

namespace {

long storageCalls = 0;
void* countedAllocate(std::size_t count, std::size_t size) {
  ++storageCalls;
  return std::calloc(count, size);
}
void countedFree(void* block) {
  ++storageCalls;
  std::free(block);
}

struct Options {
  double days = 1.0;
  int wires = 50;
  std::uint32_t seed = 1;
};

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--days") == 0) {
      options.days = std::atof(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--wires") == 0) {
      options.wires = std::atoi(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--seed") == 0) {
      options.seed = static_cast<std::uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    } else {
      return false;
    }
  }
  return options.days > 0 && (options.wires == 6 || options.wires == 50 || options.wires == 300);
}

// The settings that give the wire count: 6 is the least with symmetry, 50 and 300 the least and
// most without. Glow and colour cycle are on, so the colour blends and the palette changes.
Settings settingsFor(const Options& options) {
  Settings settings = settingsDefaults();
  settings.quantity = options.wires == 300 ? 1.0f : 0.0f;
  settings.symmetry = options.wires == 6 ? 1 : 0;
  settings.speed = 1.0f;
  settings.size = 1.0f;
  return settings;
}

int fail(std::uint64_t frame, double hours, const char* what) {
  std::fprintf(stderr, "frame %llu (%.3f h): %s\n", static_cast<unsigned long long>(frame), hours,
               what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: scene_soak --days D --wires 6|50|300 [--seed S]\n");
    return 2;
  }
  storageSetAllocator(countedAllocate, countedFree);

  // Ten minutes before the tick counter wraps.
  std::uint32_t now = 0xFFFFFFFFu - 600000u;
  FrameClock* clock = nullptr;
  Scene* scene = nullptr;
  if (!buildScene(clock, scene, settingsFor(options), 1920, 1080, now)) {
    std::fprintf(stderr, "the scene could not be built\n");
    return 1;
  }
  if (scene->wires.count != options.wires) return fail(0, 0, "unexpected wire count");
  std::mt19937 random(options.seed);
  std::uniform_real_distribution<double> logStep(0.0, std::log(60000.0));
  std::vector<unsigned char> wasActive(static_cast<std::size_t>(scene->wires.count), 0);
  const long storageAfterBuild = storageCalls;
  const std::size_t heapAfterBuild = mallinfo2().uordblks;
  const double totalMs = options.days * 86400000.0;
  double elapsedMs = 0;
  std::uint64_t frames = 0;
  bool wrapped = false;
  std::uint32_t longestStepMs = 0;
  while (elapsedMs < totalMs) {
    const std::uint32_t stepMs = static_cast<std::uint32_t>(std::lround(std::exp(logStep(random))));
    const std::uint32_t before = now;
    now += stepMs;
    wrapped = wrapped || now < before;
    elapsedMs += stepMs;
    ++frames;

    frameClockTick(*clock, now);
    if (clock->deltaMs != (stepMs == 0 ? 1 : stepMs)) {
      return fail(frames, elapsedMs / 3.6e6, "the clock's step is not the time that passed");
    }
    sceneUpdate(*scene, clock->deltaMs * 1000u);

    const double hours = elapsedMs / 3.6e6;
    if (const char* broken = sceneInvariantBroken(*scene)) return fail(frames, hours, broken);
    if (const char* broken = sceneActivationBroken(*scene, wasActive.data())) {
      return fail(frames, hours, broken);
    }
    if (storageCalls != storageAfterBuild) return fail(frames, hours, "storage changed");
    if (stepMs > longestStepMs) longestStepMs = stepMs;
  }
  const std::size_t heapAtEnd = mallinfo2().uordblks;
  if (!wrapped) return fail(frames, elapsedMs / 3.6e6, "the tick counter never wrapped");
  if (heapAtEnd != heapAfterBuild) return fail(frames, elapsedMs / 3.6e6, "the heap grew");

  std::printf(
      "%d wires, %.2f days, %llu frames, longest step %u ms, tick wrapped, heap %zu bytes "
      "unchanged: all invariants held\n",
      options.wires, options.days, static_cast<unsigned long long>(frames), longestStepMs,
      heapAtEnd);
  releaseSceneAndClock(clock, scene);
  return 0;
}
