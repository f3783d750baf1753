#include "x11/saver_input.h"

#include <gtest/gtest.h>

namespace {

SaverHostState FullScreenAt(std::int32_t x, std::int32_t y) {
  SaverHostState host{};
  host.cursorOrigin = ScreenPoint{x, y};
  return host;
}

SaverInput Move(std::int32_t x, std::int32_t y) {
  return SaverInput{SaverInputKind::PointerMoved, 0, {x, y}};
}

TEST(SaverInput, KeysLeftMiddleRightButtonsAndFocusLossEndFullScreen) {
  SaverHostState host = FullScreenAt(100, 100);
  EXPECT_TRUE(saverInputCloses({SaverInputKind::KeyDown, 0, {100, 100}}, host));
  for (std::uint32_t button : {1u, 2u, 3u}) {
    EXPECT_TRUE(saverInputCloses({SaverInputKind::ButtonDown, button, {100, 100}}, host)) << button;
  }
  EXPECT_TRUE(saverInputCloses({SaverInputKind::FocusLost, 0, {0, 0}}, host));
}

TEST(SaverInput, WheelAndExtraButtonsDoNotEndIt) {
  SaverHostState host = FullScreenAt(100, 100);
  for (std::uint32_t button : {4u, 5u, 6u, 7u, 8u, 9u}) {
    EXPECT_FALSE(saverInputCloses({SaverInputKind::ButtonDown, button, {100, 100}}, host))
        << button;
  }
}

TEST(SaverInput, PointerMustMoveMoreThanFourPixelsFromWhereItStarted) {
  SaverHostState host = FullScreenAt(100, 100);
  EXPECT_FALSE(saverInputCloses(Move(102, 102), host));
  EXPECT_FALSE(saverInputCloses(Move(96, 100), host));
  EXPECT_FALSE(saverInputCloses(Move(103, 100), host));  // jitter near the origin
  EXPECT_TRUE(saverInputCloses(Move(106, 100), host));   // two 3-pixel moves: 6 from the origin
  EXPECT_EQ(host.cursorOrigin.x, 106);                   // the origin follows a close request

  host = FullScreenAt(100, 100);
  EXPECT_TRUE(saverInputCloses(Move(103, 102), host));
}

TEST(SaverInput, NothingEndsASaverDrawingForSomeoneElse) {
  SaverHostState host = FullScreenAt(0, 0);
  host.isPreview = true;
  EXPECT_FALSE(saverInputCloses({SaverInputKind::KeyDown, 0, {0, 0}}, host));
  EXPECT_FALSE(saverInputCloses({SaverInputKind::ButtonDown, 1, {0, 0}}, host));
  EXPECT_FALSE(saverInputCloses(Move(500, 500), host));
  EXPECT_FALSE(saverInputCloses({SaverInputKind::FocusLost, 0, {0, 0}}, host));
}

}  // namespace
