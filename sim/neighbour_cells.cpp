#include "sim/neighbour_cells.h"

#include <cmath>

#include "sim/steering.h"

namespace {

void refreshOccupied(NeighbourCells& cells, const CellGrid& grid, std::int32_t cell) {
  if (cell < 0 || cell >= kGridCellCount || cell >= grid.cellCount) return;
  const auto bit = static_cast<std::uint16_t>(1u << (cell % 10));
  std::uint16_t& row = cells.occupied[cell / 10];
  row = static_cast<std::uint16_t>(grid.heads[cell] != nullptr ? (row | bit) : (row & ~bit));
}

// The digits along one axis whose points can lie within 0.25 of v, as a 10-bit mask. Digit d
// holds the points with d <= 10 v' < d + 1, the border digits reaching out to infinity; the reach
// used is a little over 0.25, so the rounding of the neighbour test cannot leave a neighbour out.
// A wire is farther than 0.25 from every point of a cell that is not near along some axis.
unsigned nearDigits(float v) {
  constexpr double kReach = 0.2502;
  const double x = v;
  if (!(x > -1.0 && x < 2.0)) return 0x3FFu;  // NaN or far away: nothing is ruled out
  std::int32_t low = static_cast<std::int32_t>(std::ceil(10.0 * (x - kReach))) - 1;
  std::int32_t high = static_cast<std::int32_t>(std::floor(10.0 * (x + kReach)));
  if (low < 0) low = 0;
  if (high > 9) high = 9;
  if (low > 9 || high < 0) {
    // Beyond a border: only that border digit, which reaches out to infinity.
    low = high = low > 9 ? 9 : 0;
  }
  return ((2u << high) - 1u) & ~((1u << low) - 1u);
}

}  // namespace

void neighbourCellsFill(NeighbourCells& cells, const Scene& scene) {
  const CellGrid& grid = scene.grid;
  for (std::int32_t row = 0; row < kGridCellCount / 10; ++row) {
    cells.occupied[row] = 0;
    cells.displaced[row] = 0;
  }
  for (std::int32_t cell = 0; cell < kGridCellCount && cell < grid.cellCount; ++cell) {
    refreshOccupied(cells, grid, cell);
  }
  for (std::int32_t j = 0; j < grid.nodeCount && j < scene.wires.count; ++j) {
    const std::int32_t filed = grid.nodes[j].cell;
    if (filed >= 0 && filed != cellIndexOf(scene.wires.items[j].position)) {
      neighbourCellsMarkDisplaced(cells, filed);
    }
  }
}

void neighbourCellsRefile(NeighbourCells& cells, const CellGrid& grid, std::int32_t fromCell,
                          std::int32_t toCell) {
  refreshOccupied(cells, grid, fromCell);
  refreshOccupied(cells, grid, toCell);
}

void neighbourCellsMarkDisplaced(NeighbourCells& cells, std::int32_t cell) {
  if (cell < 0 || cell >= kGridCellCount) return;
  cells.displaced[cell / 10] =
      static_cast<std::uint16_t>(cells.displaced[cell / 10] | (1u << (cell % 10)));
}

void neighbourCellsFlockWindow(FlockWindow& window, const NeighbourCells& cells,
                               const CellGrid& grid, std::int32_t i, Vec3 p) {
  window.lowX = 1;
  window.highX = 0;
  window.lowY = 1;
  window.highY = 0;
  if (i < 0 || i >= grid.nodeCount || grid.nodes[i].cell < 0) return;
  const CellWindow reach = cellWindowAround(grid.nodes[i].cell, kFlockReach);
  if (reach.low[2] > reach.high[2]) return;
  window.lowX = reach.low[0];
  window.highX = reach.high[0];
  window.lowY = reach.low[1];
  window.highY = reach.high[1];

  const unsigned nearX = nearDigits(p.x);
  const unsigned nearY = nearDigits(p.y);
  const unsigned nearZ = nearDigits(p.z);
  const unsigned zWindow = ((2u << reach.high[2]) - 1u) & ~((1u << reach.low[2]) - 1u);
  for (std::int32_t x = window.lowX; x <= window.highX; ++x) {
    const bool xNear = ((nearX >> x) & 1u) != 0;
    for (std::int32_t y = window.lowY; y <= window.highY; ++y) {
      const std::int32_t row = 10 * x + y;
      const unsigned near = xNear && ((nearY >> y) & 1u) != 0 ? nearZ : 0u;
      window.rows[row] =
          static_cast<std::uint16_t>(cells.occupied[row] & zWindow & (near | cells.displaced[row]));
    }
  }
}
