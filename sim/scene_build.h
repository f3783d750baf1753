// Building the scene of a new saver window from the settings and the window's client size.
//
// The platform's part (reading the tick count, ending the process, the GL clear colour) comes in
// through SceneBuildActions, so this stays portable; the Windows build passes GetTickCount,
// ExitProcess and glClearColor.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "sim/frame_clock.h"
#include "sim/scene.h"

// The arguments sceneInit takes after the scene, in its order.
struct SceneParameters {
  std::int32_t requestedWireCount;  // floor(quantity x 250 + 50), the sum rounded to float first
  float size;
  float speed;
  std::int32_t width;
  std::int32_t height;
  std::uint8_t colorScheme;
  std::uint8_t glowMode;
  std::int32_t symmetry;
};

// What the settings and the client size ask of sceneInit. Whole percentages p give exactly
// 50 + floor(2.5 p) wires.
SceneParameters sceneParametersFromSettings(const Settings& settings, std::int32_t width,
                                            std::int32_t height);

// sceneInit with the given parameters.
std::int32_t sceneInitWithParameters(Scene& scene, const SceneParameters& parameters);

struct SceneBuildActions {
  std::uint32_t (*readTickCount)();                // milliseconds since the system started
  void (*endProcess)(int exitStatus);              // does not return on the real platform
  void (*setClearColor)(float red, float green, float blue, float alpha);
};

// The frame clock's longest step: one minute.
inline constexpr std::uint32_t kFrameClockMaxDeltaMs = 60000;

// Creates the clock when there is none (seeding the random generator with its start tick), then
// the scene when there is none, then sets the clear colour to transparent black. When the scene
// cannot be built the process ends with status -1 at once, nothing released; should endProcess
// return (a test), buildScene returns without touching GL.
void buildScene(FrameClock*& clock, Scene*& scene, const Settings& settings, std::int32_t width,
                std::int32_t height, const SceneBuildActions& actions);
