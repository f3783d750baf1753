#include "sim/cell_grid.h"

#include <cmath>

#include "sim/storage.h"

namespace {

constexpr std::int32_t kDigitMax = 9;

std::int32_t digitOf(float v) {
  if (v < 0.0f) return 0;
  if (v > 1.0f) return kDigitMax;
  // NaN fails both tests above; it is given the first cell rather than an undefined conversion.
  if (v != v) return 0;
  const std::int32_t digit = static_cast<std::int32_t>(std::floor(10.0 * static_cast<double>(v)));
  return digit > kDigitMax ? kDigitMax : digit;
}

std::int32_t clampDigit(std::int64_t digit) {
  if (digit < 0) return 0;
  if (digit > kDigitMax) return kDigitMax;
  return static_cast<std::int32_t>(digit);
}

// Takes node out of the list of the cell it is filed in. A walk that does not find it within
// nodeCount steps leaves the lists as they are.
void unlinkNode(CellGrid& grid, CellNode& node) {
  if (node.cell < 0 || node.cell >= grid.cellCount) return;
  CellNode*& head = grid.heads[node.cell];
  if (head == &node) {
    head = node.next;
    return;
  }
  CellNode* before = head;
  for (std::int32_t steps = 0; before != nullptr && steps < grid.nodeCount; ++steps) {
    if (before->next == &node) {
      before->next = node.next;
      return;
    }
    before = before->next;
  }
}

// Links node after the last node of cell's list.
void appendNode(CellGrid& grid, CellNode& node, std::int32_t cell) {
  CellNode*& head = grid.heads[cell];
  if (head == nullptr) {
    head = &node;
    return;
  }
  CellNode* last = head;
  for (std::int32_t steps = 0; last->next != nullptr && steps < grid.nodeCount; ++steps) {
    last = last->next;
  }
  if (last->next == nullptr) last->next = &node;
}

}  // namespace

std::int32_t cellGridInit(CellGrid& grid, std::int32_t cellCount, std::int32_t nodeCount) {
  grid.cellCount = 0;
  grid.nodeCount = 0;
  grid.heads = nullptr;
  grid.nodes = nullptr;
  if (cellCount < 0 || !storageObtainArray(grid.heads, static_cast<std::size_t>(cellCount))) {
    return 1;
  }
  grid.cellCount = cellCount;
  if (nodeCount < 0 || !storageObtainArray(grid.nodes, static_cast<std::size_t>(nodeCount))) {
    return 1;
  }
  grid.nodeCount = nodeCount;
  for (std::int32_t j = 0; j < cellCount; ++j) grid.heads[j] = nullptr;
  for (std::int32_t j = 0; j < nodeCount; ++j) grid.nodes[j] = CellNode{j, -1, nullptr};
  return 0;
}

void cellGridRelease(CellGrid& grid) {
  storageRelease(grid.heads);
  storageRelease(grid.nodes);
  grid = CellGrid{0, 0, nullptr, nullptr};
}

std::int32_t cellIndexOf(Vec3 position) {
  return 100 * digitOf(position.x) + 10 * digitOf(position.y) + digitOf(position.z);
}

void cellGridInsert(CellGrid& grid, std::int32_t node, std::int32_t cell) {
  if (node < 0 || node >= grid.nodeCount || cell < 0 || cell >= grid.cellCount) return;
  CellNode& filed = grid.nodes[node];
  unlinkNode(grid, filed);
  appendNode(grid, filed, cell);
  filed.next = nullptr;
  filed.cell = cell;
}

CellWindow cellWindowAround(std::int32_t cell, std::int32_t reach) {
  const std::int64_t digits[3] = {cell / 100, (cell / 10) % 10, cell % 10};
  CellWindow window{};
  for (int axis = 0; axis < 3; ++axis) {
    if (reach < 0) {
      window.low[axis] = 1;
      window.high[axis] = 0;
      continue;
    }
    window.low[axis] = clampDigit(digits[axis] - reach);
    window.high[axis] = clampDigit(digits[axis] + reach);
    // A digit beyond 9 (a cell number past the scene's 1000) has no cells within reach when the
    // reach does not get back to 9.
    if (digits[axis] - reach > kDigitMax) window.low[axis] = kDigitMax + 1;
  }
  return window;
}
