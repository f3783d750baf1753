// The flocking rules read plainly, as the reference the scene's one-walk steering is checked
// against: each rule walks the whole window of cells around the wire's filed cell on its own.
#pragma once

#include <cstdint>

#include "sim/cell_grid.h"
#include "sim/scene.h"
#include "sim/vec3.h"

// Calls visit(index) for every node filed in the window of the given reach around the cell that
// node is filed in (not the cell its wire's position would give), other than node itself: in
// increasing cell number, and along each cell's list from first to last. Visits nothing for a
// node out of range or filed nowhere. Every list walk stops after nodeCount steps at the latest.
template <typename Visit>
void cellGridVisitWindow(const CellGrid& grid, std::int32_t node, std::int32_t reach,
                         Visit&& visit) {
  if (node < 0 || node >= grid.nodeCount) return;
  const std::int32_t cell = grid.nodes[node].cell;
  if (cell < 0) return;
  const CellWindow window = cellWindowAround(cell, reach);
  // Walking the digit ranges x, then y, then z gives the cells in increasing number.
  for (std::int32_t x = window.low[0]; x <= window.high[0]; ++x) {
    for (std::int32_t y = window.low[1]; y <= window.high[1]; ++y) {
      const std::int32_t rowStart = 100 * x + 10 * y;
      for (std::int32_t z = window.low[2]; z <= window.high[2]; ++z) {
        const std::int32_t j = rowStart + z;
        if (j >= grid.cellCount) return;
        std::int32_t steps = 0;
        for (const CellNode* n = grid.heads[j]; n != nullptr && steps < grid.nodeCount;
             n = n->next, ++steps) {
          if (n->index != node) visit(n->index);
        }
      }
    }
  }
}

// The mean position of wire i's cohesion neighbours, (0, 0, 0) without any; count receives
// their number (0 for a wire out of range).
Vec3 cohesionQuery(const Scene& scene, std::int32_t i, std::int32_t& count);

// The same neighbours as cohesionQuery: the mean of their headings.
Vec3 alignmentQuery(const Scene& scene, std::int32_t i, std::int32_t& count);

// The unit vector opposite the sum of the offsets to wire i's separation neighbours, (0, 0, 0)
// without any.
Vec3 separationQuery(const Scene& scene, std::int32_t i, std::int32_t& count);

// The force the scene update would steer wire i with, its neighbour-cell masks made afresh from
// the scene as it stands.
Vec3 steerWireAfresh(const Scene& scene, std::int32_t i);
