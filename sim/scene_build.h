// Building the scene of a new saver window from the settings and the window's client size.
//
// The portable part of the build: the frame clock (its start tick read by the caller, as every
// tick is), the seeding of the generator and the scene. When this reports failure the saver's
// back end ends the process: on Windows with kSceneBuildFailedExitStatus, on Linux with 1.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "sim/frame_clock.h"
#include "sim/scene.h"

// What the settings and the client size ask of sceneInit. The wires asked for are
// floor(quantity x 250 + 50), the sum rounded to float first: whole percentages p give exactly
// 50 + floor(2.5 p) wires.
SceneParameters sceneParametersFromSettings(const Settings& settings, std::int32_t width,
                                            std::int32_t height);

// The frame clock's longest step: one minute.
inline constexpr std::uint32_t kFrameClockMaxDeltaMs = 60000;

// The exit status of a Windows saver whose scene could not be built (the Linux program ends with
// 1, as for its other failures).
inline constexpr int kSceneBuildFailedExitStatus = -1;

// Creates the clock when there is none, started at nowMs, and seeds the random generator with
// its start tick; then creates the scene when there is none. False when storage for the clock,
// the scene or one of its components was not obtained: the process must then end at once,
// nothing released (whatever was obtained is left in place).
bool buildScene(FrameClock*& clock, Scene*& scene, const Settings& settings, std::int32_t width,
                std::int32_t height, std::uint32_t nowMs);

// Gives back whatever buildScene obtained, after a failed build too, and leaves both pointers
// empty. The saver keeps its clock and scene until the process ends; programs that build scenes
// and go on running (the tools, the tests) give them back with this.
void releaseSceneAndClock(FrameClock*& clock, Scene*& scene);
