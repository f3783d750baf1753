// The spatial index of the wires: the unit cube divided into 10 x 10 x 10 cells of 0.1, each
// with a singly linked list of the nodes filed in it. Node i belongs to wire i.
//
// A cell number 0 to 999 has three decimal digits: x (number / 100), y ((number / 10) mod 10)
// and z (number mod 10). Lists keep their filing order: a node filed last stands last.
#pragma once

#include <cstdint>

#include "sim/vec3.h"

// The cells of the scene's grid: every cell number cellIndexOf gives.
inline constexpr std::int32_t kGridCellCount = 1000;

struct CellNode {
  std::int32_t index;  // the node's own number, equal to its slot in nodes and its wire's index
  std::int32_t cell;   // the cell the node is filed in; -1 while it is filed nowhere
  CellNode* next;      // the next node of the same cell, or none
};

struct CellGrid {
  std::int32_t cellCount;  // number of cells; the scene uses kGridCellCount
  std::int32_t nodeCount;  // number of nodes; the scene uses its wire count
  CellNode** heads;        // owned, cellCount links: the first node of each cell, or none
  CellNode* nodes;         // owned, nodeCount nodes
};

// Obtains both arrays, empties every cell and files every node nowhere. 0 on success, 1 when
// storage cannot be obtained (a negative count cannot be); a count whose array was not obtained
// is left at 0, so the grid is empty rather than inconsistent.
std::int32_t cellGridInit(CellGrid& grid, std::int32_t cellCount, std::int32_t nodeCount);

// Gives back both arrays and leaves an empty grid.
void cellGridRelease(CellGrid& grid);

// The cell of a position: per axis 0 below 0, 9 above 1, otherwise floor(10 v) formed in double
// (9 for v = 1 exactly). Positions outside the cube fall into the border cells.
std::int32_t cellIndexOf(Vec3 position);

// Files node in cell, taking it out of its previous cell first; a node filed into the cell it is
// in moves to the end of that cell's list. Out-of-range node or cell numbers change nothing.
void cellGridInsert(CellGrid& grid, std::int32_t node, std::int32_t cell);

// The cells whose x, y and z digits each lie within reach of a cell's digits, clamped to 0 to 9.
// A negative reach gives an empty window.
struct CellWindow {
  std::int32_t low[3];   // lowest x, y and z digit
  std::int32_t high[3];  // highest x, y and z digit
};
CellWindow cellWindowAround(std::int32_t cell, std::int32_t reach);
inline bool cellWindowContains(const CellWindow& window, std::int32_t cell) {
  const std::int32_t x = cell / 100;
  const std::int32_t y = (cell / 10) % 10;
  const std::int32_t z = cell % 10;
  return x >= window.low[0] && x <= window.high[0] && y >= window.low[1] && y <= window.high[1] &&
         z >= window.low[2] && z <= window.high[2];
}
