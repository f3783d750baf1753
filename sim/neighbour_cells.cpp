#include "sim/neighbour_cells.h"

#include <limits>

namespace {

constexpr std::int32_t kMaskedCells = 1000;
constexpr std::int32_t kFlockReach = 3;
// Squared distances at or below this may hold a neighbour (0.25 units squared is 0.0625); the
// margin covers the rounding of the neighbour test itself.
constexpr double kNearEnough = 0.0626;

void refreshOccupied(NeighbourCells& cells, const CellGrid& grid, std::int32_t cell) {
  if (cell < 0 || cell >= kMaskedCells || cell >= grid.cellCount) return;
  const auto bit = static_cast<std::uint16_t>(1u << (cell % 10));
  std::uint16_t& row = cells.occupied[cell / 10];
  row = static_cast<std::uint16_t>(grid.heads[cell] != nullptr ? (row | bit) : (row & ~bit));
}

// The distance from v to the points whose digit is d along one axis. The border digits reach
// out to infinity: positions outside the cube are filed in the border cells.
double gapToDigit(float v, std::int32_t d) {
  const double x = v;
  const double low = d == 0 ? -std::numeric_limits<double>::infinity() : d / 10.0;
  const double high = d == 9 ? std::numeric_limits<double>::infinity() : (d + 1) / 10.0;
  if (x < low) return low - x;
  if (x > high) return x - high;
  return 0.0;  // also for NaN, which is never pruned
}

}  // namespace

void neighbourCellsFill(NeighbourCells& cells, const Scene& scene) {
  const CellGrid& grid = scene.grid;
  for (std::int32_t row = 0; row < 100; ++row) {
    cells.occupied[row] = 0;
    cells.displaced[row] = 0;
  }
  for (std::int32_t cell = 0; cell < kMaskedCells && cell < grid.cellCount; ++cell) {
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
  if (cell < 0 || cell >= kMaskedCells) return;
  cells.displaced[cell / 10] = static_cast<std::uint16_t>(cells.displaced[cell / 10] | (1u << (cell % 10)));
}

void neighbourCellsFlockWindow(FlockWindow& window, const NeighbourCells& cells,
                               const CellGrid& grid, std::int32_t i, Vec3 p) {
  window.lowX = 1;
  window.highX = 0;
  window.lowY = 1;
  window.highY = 0;
  if (i < 0 || i >= grid.nodeCount || grid.nodes[i].cell < 0) return;
  const CellWindow reach = cellWindowAround(grid.nodes[i].cell, kFlockReach);
  window.lowX = reach.low[0];
  window.highX = reach.high[0];
  window.lowY = reach.low[1];
  window.highY = reach.high[1];
  if (reach.low[2] > reach.high[2]) {
    window.highX = window.lowX - 1;
    return;
  }
  double gapY[10];
  double gapZ[10];
  for (std::int32_t d = 0; d < 10; ++d) {
    const double y = gapToDigit(p.y, d);
    const double z = gapToDigit(p.z, d);
    gapY[d] = y * y;
    gapZ[d] = z * z;
  }
  const unsigned zWindow = ((2u << reach.high[2]) - 1u) & ~((1u << reach.low[2]) - 1u);
  for (std::int32_t x = window.lowX; x <= window.highX; ++x) {
    const double gx = gapToDigit(p.x, x);
    for (std::int32_t y = window.lowY; y <= window.highY; ++y) {
      const std::int32_t row = 10 * x + y;
      const double rowGap = gx * gx + gapY[y];
      unsigned near = 0;
      if (rowGap <= kNearEnough) {
        for (std::int32_t z = reach.low[2]; z <= reach.high[2]; ++z) {
          if (rowGap + gapZ[z] <= kNearEnough) near |= 1u << z;
        }
      }
      window.rows[row] =
          static_cast<std::uint16_t>(cells.occupied[row] & zWindow & (near | cells.displaced[row]));
    }
  }
}
