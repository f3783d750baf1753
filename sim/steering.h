// Flocking: the steering force on a wire from its neighbours. Cohesion pulls it to their mean
// position, alignment turns it to their mean heading, separation pushes it away from those too
// close; a wire without neighbours is pulled gently back to the centre of the cube.
//
// Neighbours are found through the cell grid, in the window of cells around the cell the wire is
// filed in: inactive wires are never neighbours, and a neighbour's squared distance must be
// strictly below the rule's threshold. A wire index out of range (or a scene whose grid and
// wires disagree, which a built scene never is) gives (0, 0, 0).
#pragma once

#include <cstdint>

#include "sim/neighbour_cells.h"
#include "sim/scene.h"
#include "sim/vec3.h"

// Cohesion and alignment look through the window of reach 3 around the filed cell for
// neighbours at a squared distance below 0.0625 (0.25 units, single precision); separation
// through the window of reach 2 for those below 0.02 (about 0.141 units, double precision).
// The reaches are the ceilings of 2.5 and 2.0 cells of 0.1 units.
inline constexpr std::int32_t kFlockReach = 3;
inline constexpr std::int32_t kSeparationReach = 2;
inline constexpr float kFlockThreshold = 0.0625f;
inline constexpr double kSeparationThreshold = 0.02;

// The steering force on wire i: 2 x cohesion (towards the neighbours' mean position) + 1 x
// alignment (their mean heading) + 1.5 x separation (the unit vector opposite the sum of the
// offsets to the close neighbours), each clamped to the wire's maxForce; without cohesion
// neighbours only the pull to (0.5, 0.5, 0.5), clamped to half of maxForce.
//
// cells are the scene's neighbour-cell masks, kept current by the caller as it re-files and
// respawns wires (the scene update does). All three neighbour sums come from one walk of the
// grid that visits the neighbours in increasing cell number and along each cell's list, so the
// force is the same bit for bit as separate walks of the whole windows would give.
Vec3 steerWire(const Scene& scene, std::int32_t i, const NeighbourCells& cells);
