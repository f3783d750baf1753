// Building the scene of a new saver window from the settings and the window's client size.
//
// The portable part of the build: the frame clock (its start tick read by the caller, as every
// tick is), the flock's own generator seeded from it, and the scene. When this reports failure
// the saver's back end ends the process.
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

// The seed of a flock whose clock started at startTick while `othersAlive` other flocks of the
// process were alive: the start tick itself for a lone flock (the Windows saver's one, the page's
// after every rebuild), and a different seed for each further flock, so that flocks started in
// the same millisecond still differ.
std::uint32_t flockSeed(std::uint32_t startTick, std::uint32_t othersAlive);

// Creates the clock when there is none, started at nowMs, and seeds a generator of the flock's
// own from it (flockSeed); then creates the scene when there is none, its random choices drawn
// from that generator, which the scene keeps (Scene::random). False when storage for the clock,
// the scene or one of its components was not obtained: the process must then end at once
// (whatever was obtained is left in place for releaseSceneAndClock).
bool buildScene(FrameClock*& clock, Scene*& scene, const Settings& settings, std::int32_t width,
                std::int32_t height, std::uint32_t nowMs);

// Gives back whatever buildScene obtained, after a failed build too, and leaves both pointers
// empty; the frame driver's release sequences end with it.
void releaseSceneAndClock(FrameClock*& clock, Scene*& scene);
