#include <gtest/gtest.h>

#include "wayland/seat_input.h"

namespace {

// Presses end the saver (a touch as a click does), the wheel does not, releases stand for nothing.
TEST(SeatInput, EachSeatEventStandsForItsWakeInput) {
  const struct {
    SeatEvent event;
    bool standsForOne;
    WakeInputKind kind;
    bool wakes;
  } cases[] = {
      {SeatEvent::KeyPressed, true, WakeInputKind::KeyDown, true},
      {SeatEvent::ButtonPressed, true, WakeInputKind::ButtonDown, true},
      {SeatEvent::TouchDown, true, WakeInputKind::ButtonDown, true},
      {SeatEvent::AxisTurned, true, WakeInputKind::WheelTurned, false},
      {SeatEvent::KeyReleased, false, {}, false},
      {SeatEvent::ButtonReleased, false, {}, false},
      {SeatEvent::TouchUp, false, {}, false},
      {SeatEvent::TouchMoved, false, {}, false},
      {SeatEvent::TouchCancelled, false, {}, false},
  };
  for (const auto& c : cases) {
    WakeInputKind kind = WakeInputKind::PointerMoved;
    EXPECT_EQ(wakeInputOfSeatEvent(c.event, &kind), c.standsForOne) << int(c.event);
    if (!c.standsForOne) continue;
    EXPECT_EQ(kind, c.kind) << int(c.event);
    EXPECT_EQ(inputWakes(WakeInput{kind, {0, 0}}, ScreenPoint{0, 0}), c.wakes) << int(c.event);
  }
}

// Whether the focus is lost once a sequence of keyboard focus events is taken (n: leave surface
// n, 100 + n: enter it; -1 and 99 are no surface of the saver's), with surfaces 0 and 1 showing
// and 2 closed, starting on surface 0.
bool LostAfter(std::initializer_list<int> events,
               KeyboardFocusWatch start = {0, kNoSurface, false}) {
  KeyboardFocusWatch watch = start;
  for (int e : events) {
    if (e >= 100) {
      keyboardFocusEntered(watch, e - 100);
    } else {
      keyboardFocusLeft(watch, e);
    }
  }
  return keyboardFocusLost(watch, 0b011);
}

TEST(SeatInput, KeyboardFocusIsLostOnlyToAnotherProgram) {
  constexpr int kEnter = 100;
  EXPECT_FALSE(LostAfter({}));
  EXPECT_FALSE(LostAfter({0, kEnter + 1}));                 // to the saver's other output
  EXPECT_FALSE(LostAfter({0, kEnter + 1, 1, kEnter + 0}));  // and back, arranged
  EXPECT_TRUE(LostAfter({0}));                              // to a locker's lock surface
  EXPECT_TRUE(LostAfter({0, kEnter + 0}));                  // taken and given back (sway 1.7)
  EXPECT_TRUE(LostAfter({0, kEnter + 0, 0, kEnter + 1}));   // ... then moved on
  EXPECT_FALSE(LostAfter({2}, {2, kNoSurface, false}));     // its surface closed with its output
  EXPECT_FALSE(LostAfter({kNoSurface, 99}));                // a surface already gone
  EXPECT_FALSE(LostAfter({}, kNoKeyboardFocus));

  // A leave judged alone is lost, unless the enter that follows it (late) shows a move.
  KeyboardFocusWatch watch{0, kNoSurface, false};
  keyboardFocusLeft(watch, 0);
  EXPECT_TRUE(keyboardFocusLost(watch, 0b011));
  keyboardFocusEntered(watch, 1);
  EXPECT_FALSE(keyboardFocusLost(watch, 0b011));
  keyboardFocusJudged(watch);
  EXPECT_FALSE(keyboardFocusLost(watch, 0b011));
  // A surface dropped by the saver leaves nothing behind in the watch.
  keyboardFocusLeft(watch, 1);
  keyboardFocusForget(watch, 1);
  EXPECT_FALSE(keyboardFocusLost(watch, 0b011));
  EXPECT_EQ(watch.on, kNoSurface);
}

}  // namespace
