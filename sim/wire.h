// Wires: the moving agents of the flock. A wire's index is also its node number in the cell grid
// and the index of its trail.
#pragma once

#include <cstdint>

#include "sim/cell_grid.h"
#include "sim/trail.h"
#include "sim/vec3.h"

struct Wire {
  float phase;          // swings between 0 and 1; a stray is reborn only at or below 0
  float phaseRate;      // per us, signed; magnitude 1e-7 to 4e-7
  Vec3 position;        // the head
  Vec3 heading;         // unit vector drawn at creation and at each respawn
  Vec3 velocity;        // units per us
  float maxSpeed;       // units per us: 0.95 to 1.05 times the scene's base speed
  float maxForce;       // units per us: 0.02 times maxSpeed
  std::int32_t active;  // inactive wires neither move nor count as neighbours
};

struct WireArray {
  std::int32_t count;  // 0 when the storage for the wires was not obtained
  Wire* items;         // owned
};

// Three draws: radius randomFloat(0, 0.55), azimuth phi and polar angle theta randomFloat(0, 2 pi).
// The point (0.5 + r sin(theta) cos(phi), 0.5 + r sin(theta) sin(phi), 0.5 + r cos(theta)) is
// formed in double and each component rounded to float.
Vec3 randomSpawnPosition();

// Three draws of randomDouble(-1, 1), each rounded to float, taken as z, y, x; normalised.
Vec3 randomDirection();

// Creates count wires in index order, each after its own phase-rate draw, and files each in grid.
// 0 on success; 1, with an empty array, when the storage cannot be obtained (nor for a negative
// count).
std::int32_t wireArrayInit(WireArray& array, std::int32_t count, float baseWireSpeed,
                           CellGrid& grid);

// Gives back the wires and leaves an empty array.
void wireArrayRelease(WireArray& array);

// Fills one inactive wire at a random place near the centre and files it in grid under index.
// Always 0.
std::int32_t wireInit(Wire& wire, std::int32_t index, float phaseRate, float baseWireSpeed,
                      CellGrid& grid);

// Moves the wire to a fresh random place and heading with phase 0, ending its trail's segment at
// the old place (break mark) and starting the next at the new one. Velocity, speeds, phase rate
// and the grid filing stay as they are.
void wireRespawn(Wire& wire, Trail& trail);
