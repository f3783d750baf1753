// The scene: the whole state of the animation. A flock of wires in and around the unit cube, the
// trails behind them, the colour they are drawn in and the slow tumbling of the cube.
//
// Time is in microseconds (the clocks are unsigned 32-bit), speeds in units per microsecond,
// spin rates in degrees per microsecond, angles in degrees, colours RGB in 0 to 1.
// Wire i, grid node i and trail i belong together. sceneInit (sim/scene_init.cpp) sets every
// field, the fixed ones (the respawn box, the cycle's times) included.
#pragma once

#include <cstdint>

#include "settings/glow_and_color.h"
#include "sim/cell_grid.h"
#include "sim/random.h"
#include "sim/trail.h"
#include "sim/vec3.h"
#include "sim/wire.h"

struct Scene {
  float baseWireSpeed;  // units per us, from the speed setting
  float boundsMaxY;     // the respawn box: a wire outside it is reborn once its phase runs out
  float boundsMinY;
  float boundsMinX;
  float boundsMaxX;
  float boundsMaxZ;
  float boundsMinZ;
  float size;          // the wire-length setting, 0 to 1
  std::int32_t width;  // client size in pixels drawn at: at the build, then after each resize
  std::int32_t height;
  float cameraZ;                  // where the camera stands, from the speed setting
  Vec3 color;                     // the colour of the wires now
  std::uint8_t paletteIndex;      // the palette entry color shows
  std::uint8_t nextPaletteIndex;  // the entry the colour cycle moves to next; never the same
  std::uint32_t cycleElapsedUs;   // time since the current colour cycle began
  std::uint32_t cycleBlendUs;     // the blend towards the next entry at the end of a cycle
  std::uint32_t cyclePeriodUs;    // one colour cycle
  std::uint8_t cycleColors;       // the scheme is Cycle: only then does the colour change
  WireArray wires;
  std::uint32_t activationElapsedUs;   // clock of the staggered start
  std::uint32_t activationIntervalUs;  // between the starts of two successive wires
  GlowMode glowMode;                   // any but None: white wires, the glow palette
  CellGrid grid;                       // kGridCellCount cells, one node per wire
  TrailSet trails;                     // one trail per wire
  float angleX;                        // rotation of the cube, degrees in [0, 360)
  float angleY;
  float angleZ;
  float spinX;  // signed, degrees per us
  float spinY;
  float spinZ;
  std::int32_t symmetry;  // 1: every wire is drawn eight times, mirrored
  // The flock's own random generator: what its build left, put in use for each of its updates by
  // whoever owns the flock (buildScene fills it).
  RandomGenerator random;
};

// What a scene is built from: the settings and the client size.
struct SceneParameters {
  std::int32_t requestedWireCount;  // the wires asked for; an eighth of them with symmetry
  float size;                       // the wire-length setting, 0 to 1
  float speed;                      // the speed setting, 0 to 1
  std::int32_t width;               // client size in pixels
  std::int32_t height;
  ColorScheme colorScheme;
  GlowMode glowMode;
  std::int32_t symmetry;  // non-zero: eight mirrored copies of every wire
};

// Fills a scene from its construction parameters, making its random choices in a fixed order.
// 0 on success; 1 when storage for a component (grid, wires, trails) is not obtained, after
// which the scene must not be updated (sceneRelease may still be called). A colour scheme
// beyond Cycle (6) is taken as Cycle, as the settings store does.
std::int32_t sceneInit(Scene& scene, const SceneParameters& parameters);

// Gives back the storage of the scene's components; safe after a failed sceneInit.
void sceneRelease(Scene& scene);

// Advances the scene by one frame step: the staggered start, the wires (steered, moved,
// re-filed, reborn when strayed), the colour cycle, the trails and the rotation. Obtains no
// storage.
void sceneUpdate(Scene& scene, std::uint32_t elapsedUs);
