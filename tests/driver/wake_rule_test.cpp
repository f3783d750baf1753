// The wake rule's neutral form, as the Linux savers use it; the Windows closing rules reach the
// same rule through their messages (tests/windows/closing_rules_test.cpp).
#include "driver/wake_rule.h"

#include <gtest/gtest.h>

#include "x11/saver_input.h"

namespace {

WakeInput Move(std::int32_t x, std::int32_t y) {
  return WakeInput{WakeInputKind::PointerMoved, {x, y}};
}

TEST(WakeRule, KeysButtonsAndFocusLossWakeAWheelAndATremblingPointerDoNot) {
  const ScreenPoint origin{100, 100};
  EXPECT_TRUE(inputWakes({WakeInputKind::KeyDown, {100, 100}}, origin));
  EXPECT_TRUE(inputWakes({WakeInputKind::ButtonDown, {100, 100}}, origin));
  EXPECT_TRUE(inputWakes({WakeInputKind::FocusLost, {0, 0}}, origin));
  EXPECT_FALSE(inputWakes({WakeInputKind::WheelTurned, {900, 900}}, origin));
  EXPECT_FALSE(inputWakes(Move(102, 102), origin));  // 4: not more than the threshold
  EXPECT_FALSE(inputWakes(Move(96, 100), origin));
  EXPECT_TRUE(inputWakes(Move(103, 102), origin));  // 5
  EXPECT_TRUE(inputWakes(Move(100, 95), origin));
}

// Where the pointer's first position is learnt from its first report, that report only sets the
// origin; later reports are measured from it, however far the first one was.
TEST(WakeRule, AWatchTakesItsOriginFromThePointersFirstReport) {
  WakeWatch watch{};
  EXPECT_TRUE(wakeWatchInput(watch, {WakeInputKind::KeyDown, {0, 0}}));
  EXPECT_FALSE(wakeWatchInput(watch, Move(5000, -5000)));
  EXPECT_FALSE(wakeWatchInput(watch, Move(5002, -4998)));
  EXPECT_FALSE(wakeWatchInput(watch, {WakeInputKind::WheelTurned, {0, 0}}));
  EXPECT_TRUE(wakeWatchInput(watch, Move(5005, -5000)));
}

TEST(WakeRule, XButtonsOneToThreeAreButtonsFourToSevenTheWheelOthersNothing) {
  WakeInputKind kind{};
  for (std::uint32_t button : {1u, 2u, 3u}) {
    ASSERT_TRUE(wakeInputOfButton(button, &kind)) << button;
    EXPECT_EQ(kind, WakeInputKind::ButtonDown);
  }
  for (std::uint32_t button : {4u, 5u, 6u, 7u}) {
    ASSERT_TRUE(wakeInputOfButton(button, &kind)) << button;
    EXPECT_EQ(kind, WakeInputKind::WheelTurned);
  }
  for (std::uint32_t button : {0u, 8u, 9u, 255u}) EXPECT_FALSE(wakeInputOfButton(button, &kind));
}

// The full-screen window's focus goes to another program when it moves elsewhere or another
// program grabs the keyboard (a locker); not when it moves inside the window, follows the
// pointer, or a grab ends.
TEST(WakeRule, XFocusLeavingTheWindowOrGrabbedByAnotherProgramIsALoss) {
  for (const int mode : {kXNotifyNormal, kXNotifyGrab, kXNotifyWhileGrabbed}) {
    for (const int detail :
         {0, 1, 3, 4, 6, 7}) {  // ancestor, virtual, nonlinear (virtual), root, none
      EXPECT_TRUE(focusOutIsLoss(mode, detail)) << mode << " " << detail;
    }
    EXPECT_FALSE(focusOutIsLoss(mode, kXNotifyInferior)) << mode;
    EXPECT_FALSE(focusOutIsLoss(mode, kXNotifyPointer)) << mode;
  }
  for (int detail = 0; detail <= 7; ++detail) EXPECT_FALSE(focusOutIsLoss(kXNotifyUngrab, detail));
}

}  // namespace
