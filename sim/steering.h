// Flocking: the steering force on a wire from its neighbours. Cohesion pulls it to their mean
// position, alignment turns it to their mean heading, separation pushes it away from those too
// close; a wire without neighbours is pulled gently back to the centre of the cube.
//
// Neighbours are found through the cell grid, around the cell the wire is filed in: inactive
// wires are never neighbours, and a neighbour's squared distance must be strictly below the
// query's threshold. A wire index out of range (or a scene whose grid and wires disagree, which
// a built scene never is) gives (0, 0, 0) and a count of 0.
#pragma once

#include <cstdint>

#include "sim/neighbour_cells.h"
#include "sim/scene.h"
#include "sim/vec3.h"

// Window reach 3, squared distance below 0.0625 (single precision): the mean position of the
// neighbours, (0, 0, 0) without any. count receives their number.
Vec3 cohesionQuery(const Scene& scene, std::int32_t i, std::int32_t& count);

// The same neighbours as cohesionQuery: the mean of their headings.
Vec3 alignmentQuery(const Scene& scene, std::int32_t i, std::int32_t& count);

// Window reach 2, squared distance below 0.02 (double precision): the unit vector opposite the
// sum of the offsets to the neighbours, (0, 0, 0) without any.
Vec3 separationQuery(const Scene& scene, std::int32_t i, std::int32_t& count);

// The steering force on wire i: 2 x cohesion + 1 x alignment + 1.5 x separation, each clamped to
// the wire's maxForce; without cohesion neighbours only the pull to (0.5, 0.5, 0.5), clamped to
// half of maxForce. All three neighbour sums come from one walk of the grid, in the same order as
// the three queries would visit them, so the force is the same bit for bit.
Vec3 steerWire(const Scene& scene, std::int32_t i);

// steerWire with the neighbour-cell masks of the scene supplied by the caller, who keeps them
// current as it re-files and respawns wires (the scene update does).
Vec3 steerWireWithCells(const Scene& scene, std::int32_t i, const NeighbourCells& cells);
