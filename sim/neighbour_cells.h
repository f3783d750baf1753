// Which cells of the scene's grid are worth walking when looking for a wire's flock neighbours.
//
// The flocking walks a window of up to 7 x 7 x 7 cells around each wire, three hundred times a
// frame, although its neighbours all lie within 0.25 units. Two masks per (x, y) row of cells
// (bit z for cell 100 x + 10 y + z) let the walk visit only the cells that hold a node and that
// could hold a neighbour: a cell whose points all lie farther than 0.25 from the wire along some
// axis holds none, unless some node in it is filed away from its wire's position (a wire reborn
// since its last move). Such cells are marked displaced and always walked. The visiting order is
// the grid's own (increasing cell number, then list order), so the sums come out bit for bit the
// same as a walk of the whole window.
#pragma once

#include <cstdint>

#include "sim/cell_grid.h"
#include "sim/scene.h"

struct NeighbourCells {
  std::uint16_t occupied[kGridCellCount / 10];   // the cell's list is not empty
  std::uint16_t displaced[kGridCellCount / 10];  // may hold a node filed away from its wire
};

// Both masks from the scene as it stands: occupied cells, and the cells of every node whose
// wire's position lies in another cell.
void neighbourCellsFill(NeighbourCells& cells, const Scene& scene);

// After a node was re-filed from fromCell to toCell (either may be -1): refreshes both occupied
// bits. A displaced mark stays until the next fill, which only costs a walk of that cell.
void neighbourCellsRefile(NeighbourCells& cells, const CellGrid& grid, std::int32_t fromCell,
                          std::int32_t toCell);

// After a wire was moved without re-filing (a respawn): its filed cell becomes displaced.
void neighbourCellsMarkDisplaced(NeighbourCells& cells, std::int32_t cell);

// The cells of the window of reach 3 around node i's filed cell that are worth walking for a
// wire at position p: 10-bit z masks for the (x, y) rows of the window; other rows are not set.
struct FlockWindow {
  std::int32_t lowX, highX, lowY, highY;
  std::uint16_t rows[kGridCellCount / 10];
};
void neighbourCellsFlockWindow(FlockWindow& window, const NeighbourCells& cells,
                               const CellGrid& grid, std::int32_t i, Vec3 p);
