#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sim/cell_grid.h"
#include "sim/random.h"
#include "sim/scene.h"
#include "sim/trail.h"
#include "sim/wire.h"
#include "tests/sim/scene_fixture.h"
#include "tests/support/own_allocation_counter.h"

namespace {

TEST(NoAllocation, CounterSeesOrdinaryAllocations) {
  OwnAllocationCount count;
  std::vector<int> v(100, 1);
  v.push_back(2);
  EXPECT_GE(count.allocations(), 2);
}

TEST(NoAllocation, FilingAndLayingPointsAfterInitialisation) {
  constexpr std::int32_t kWires = 300;
  CellGrid grid{};
  WireArray wires{};
  TrailSet trails{};
  seedRandom(3);
  ASSERT_EQ(0, cellGridInit(grid, 1000, kWires));
  ASSERT_EQ(0, wireArrayInit(wires, kWires, 2e-7f, grid));
  ASSERT_TRUE(trailSetInit(trails, kWires, 60));
  for (std::uint32_t i = 0; i < trails.count; ++i) trails.trails[i].active = 1;

  {
    OwnAllocationCount count;
    for (int frame = 0; frame < 50; ++frame) {
      for (std::int32_t i = 0; i < kWires; ++i) {
        Wire& w = wires.items[i];
        w.position = vec3Add(w.position, vec3Scale(w.velocity, 16000.0f * frame));
        cellGridInsert(grid, i, cellIndexOf(w.position));
        trails.trails[i].headPosition = w.position;
        if (frame == 25) wireRespawn(w, trails.trails[i]);
      }
      trailSetSample(trails);
    }
    EXPECT_EQ(0, count.allocations());
  }
  trailSetRelease(trails);
  wireArrayRelease(wires);
  cellGridRelease(grid);
}

TEST(NoAllocation, ThousandUpdatesOfAFullScene) {
  Scene scene{};
  ASSERT_EQ(0, initSceneFromPercent(scene, 8, 100, 100, 100, GlowMode::HighQuality,
                                    ColorScheme::Cycle, 0));
  {
    OwnAllocationCount count;
    for (int frame = 0; frame < 1000; ++frame) {
      sceneUpdate(scene, frame % 100 == 99 ? 3000000u : 16000u);
    }
    EXPECT_EQ(0, count.allocations());
  }
  EXPECT_EQ(1, scene.wires.items[299].active);
  sceneRelease(scene);
}

}  // namespace
