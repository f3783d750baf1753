#include "sim/cell_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "tests/sim/flock_reference.h"
#include "tests/sim/storage_probe.h"

namespace {

using Nodes = std::vector<std::int32_t>;

Nodes listOf(const CellGrid& grid, std::int32_t cell) {
  Nodes out;
  for (const CellNode* n = grid.heads[cell]; n != nullptr; n = n->next) out.push_back(n->index);
  return out;
}

Nodes visit(const CellGrid& grid, std::int32_t node, std::int32_t reach) {
  Nodes out;
  cellGridVisitWindow(grid, node, reach, [&](std::int32_t j) { out.push_back(j); });
  return out;
}

// The visiting rule written out plainly: every cell number in order, its digits tested.
Nodes visitByScanningAllCells(const CellGrid& grid, std::int32_t node, std::int32_t reach) {
  Nodes out;
  const std::int32_t cell = grid.nodes[node].cell;
  const std::int32_t d[3] = {cell / 100, (cell / 10) % 10, cell % 10};
  for (std::int32_t j = 0; j < grid.cellCount; ++j) {
    const std::int32_t e[3] = {j / 100, (j / 10) % 10, j % 10};
    bool inside = true;
    for (int a = 0; a < 3; ++a) {
      inside = inside && e[a] >= std::max(0, d[a] - reach) && e[a] <= std::min(9, d[a] + reach);
    }
    if (!inside) continue;
    for (const CellNode* n = grid.heads[j]; n != nullptr; n = n->next) {
      if (n->index != node) out.push_back(n->index);
    }
  }
  return out;
}

TEST(CellGrid, CellIndexOf) {
  struct Case {
    Vec3 position;
    std::int32_t cell;
  };
  const Case cases[] = {{{0.05f, 0.55f, 0.95f}, 59},
                        {{-0.3f, 1.7f, 1.0f}, 99},
                        {{1.0f, 1.0f, 1.0f}, 999},
                        {{0.0f, 0.0f, 0.0f}, 0},
                        {{0.7f, 0.5f, 0.5f}, 655},  // 0.699999988 is digit 6
                        {{0.1f, 0.2f, 0.9f}, 128},  // 0.1f and 0.2f lie just above
                        {{0.99999994f, -0.0f, 1.0000001f}, 909},
                        {{std::nanf(""), 0.5f, 0.5f}, 55}};
  for (const Case& c : cases) EXPECT_EQ(c.cell, cellIndexOf(c.position));
}

TEST(CellGrid, FilingOrderAndOutOfRangeNumbers) {
  CellGrid grid{};
  ASSERT_EQ(0, cellGridInit(grid, 1000, 8));
  for (std::int32_t j = 0; j < 8; ++j) EXPECT_EQ(-1, grid.nodes[j].cell);
  cellGridInsert(grid, 3, 5);
  cellGridInsert(grid, 1, 5);
  EXPECT_EQ((Nodes{3, 1}), listOf(grid, 5));
  cellGridInsert(grid, 3, 5);  // refiling moves to the end
  EXPECT_EQ((Nodes{1, 3}), listOf(grid, 5));
  for (std::int32_t node : {4, 2, 6}) cellGridInsert(grid, node, 5);
  cellGridInsert(grid, 4, 6);  // from the middle
  cellGridInsert(grid, 1, 6);  // the head
  cellGridInsert(grid, 6, 6);  // the tail
  EXPECT_EQ((Nodes{3, 2}), listOf(grid, 5));
  EXPECT_EQ((Nodes{4, 1, 6}), listOf(grid, 6));
  for (auto [node, cell] :
       {std::pair<std::int32_t, std::int32_t>{-1, 5}, {8, 5}, {3, -1}, {3, 1000}}) {
    cellGridInsert(grid, node, cell);
  }
  EXPECT_EQ((Nodes{3, 2}), listOf(grid, 5));
  EXPECT_EQ(5, grid.nodes[3].cell);
  cellGridRelease(grid);
}

TEST(CellGrid, WindowsFollowTheClampedDigitRanges) {
  CellGrid full{};  // one node filed in every cell, so visits count cells
  ASSERT_EQ(0, cellGridInit(full, 1000, 1000));
  for (std::int32_t c = 0; c < 1000; ++c) cellGridInsert(full, c, c);
  struct Case {
    std::int32_t cell, reach, cells;
  };
  const Case cases[] = {{0, 3, 64},   {555, 2, 125}, {555, 3, 343},     {999, 2, 27},
                        {909, 3, 64}, {505, 0, 1},   {505, 1000, 1000}, {505, -1, 0}};
  for (const Case& c : cases) {
    const Nodes seen = visit(full, c.cell, c.reach);
    EXPECT_EQ(static_cast<std::size_t>(std::max(0, c.cells - 1)), seen.size()) << c.cell;
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), c.cell));
  }
  cellGridRelease(full);

  CellGrid grid{};
  ASSERT_EQ(0, cellGridInit(grid, 1000, 8));
  for (auto [node, cell] : {std::pair<std::int32_t, std::int32_t>{0, 555},
                            {5, 556},
                            {2, 556},
                            {7, 444},
                            {1, 555},
                            {6, 888},
                            {4, 0}}) {
    cellGridInsert(grid, node, cell);
  }
  EXPECT_EQ((Nodes{7, 1, 5, 2}), visit(grid, 0, 2));  // cell number, then list order
  EXPECT_EQ((Nodes{7, 1, 5, 2, 6}), visit(grid, 0, 3));
  EXPECT_TRUE(visit(grid, 4, 3).empty());  // around node 4's cell, not node 0's
  EXPECT_TRUE(visit(grid, 3, 9).empty());  // filed nowhere
  EXPECT_TRUE(visit(grid, 8, 3).empty());  // out of range
  cellGridRelease(grid);
}

TEST(CellGrid, RandomFilingKeepsListsConsistentAndWindowsMatchAFullScan) {
  constexpr std::int32_t kNodes = 60;
  CellGrid grid{};
  ASSERT_EQ(0, cellGridInit(grid, 1000, kNodes));
  std::mt19937 rng(2024);
  std::uniform_int_distribution<std::int32_t> nodeDist(-2, kNodes + 1);
  std::uniform_int_distribution<std::int32_t> cellDist(-5, 1004);
  std::uniform_real_distribution<float> coord(-0.2f, 1.2f);
  for (int step = 0; step < 20000; ++step) {
    const std::int32_t cell =
        step % 3 == 0 ? cellDist(rng) : cellIndexOf(Vec3{coord(rng), coord(rng), coord(rng)});
    cellGridInsert(grid, nodeDist(rng), cell);
    if (step % 97 != 0) continue;
    std::vector<int> seen(kNodes, 0);  // every filed node is in its own cell's list, once
    for (std::int32_t c = 0; c < 1000; ++c) {
      for (const CellNode* n = grid.heads[c]; n != nullptr; n = n->next) {
        ASSERT_EQ(c, n->cell);
        ++seen[n->index];
      }
    }
    for (std::int32_t j = 0; j < kNodes; ++j) {
      ASSERT_EQ(grid.nodes[j].cell >= 0 ? 1 : 0, seen[j]);
      if (grid.nodes[j].cell < 0) continue;
      ASSERT_EQ(visitByScanningAllCells(grid, j, 2), visit(grid, j, 2));
      ASSERT_EQ(visitByScanningAllCells(grid, j, 3), visit(grid, j, 3));
    }
  }
  cellGridRelease(grid);
}

TEST(CellGrid, StorageFailuresAndOddSizes) {
  for (int failing : {1, 2}) {  // the heads, then the nodes
    StorageProbe probe(failing);
    CellGrid grid{};
    EXPECT_EQ(1, cellGridInit(grid, 1000, 10));
    EXPECT_EQ(0, grid.nodeCount);
    cellGridInsert(grid, 0, 0);  // harmless on the failed grid
    EXPECT_TRUE(visit(grid, 0, 3).empty());
    cellGridRelease(grid);
    EXPECT_EQ(0, probe.liveBlocks());
  }
  CellGrid grid{};
  EXPECT_EQ(1, cellGridInit(grid, -1, 10));
  EXPECT_EQ(1, cellGridInit(grid, 1000, -5));
  cellGridRelease(grid);
  ASSERT_EQ(0, cellGridInit(grid, 50, 3));  // fewer cells than the scene's 1000
  cellGridInsert(grid, 0, 12);
  cellGridInsert(grid, 1, 45);
  cellGridInsert(grid, 2, 60);
  EXPECT_EQ((Nodes{1}), visit(grid, 0, 3));
  EXPECT_EQ(-1, grid.nodes[2].cell);
  cellGridRelease(grid);
}

}  // namespace
