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

// Keyboard focus events (n: leave surface n, K + n: enter it) and pointer focus events (P + n:
// leave, P + K + n: enter), from the keyboard and the pointer on surface 0; -1 and 99 are no
// surface of the saver's.
constexpr int K = 100, P = 200;

SeatFocus After(std::initializer_list<int> events) {
  SeatFocus focus{{0, kNoSurface, false, false}, {0, kNoSurface, false, false}};
  for (int e : events) {
    FocusWatch& watch = e >= P ? focus.pointer : focus.keyboard;
    const int n = e >= P ? e - P : e;
    if (n >= K) {
      focusEntered(watch, n - K);
    } else {
      focusLeft(watch, n);
    }
  }
  return focus;
}

// Surfaces 0 and 1 show, 2 was closed with its output.
bool LostAfter(std::initializer_list<int> events) { return seatFocusLost(After(events), 0b011); }

TEST(SeatInput, TheFocusIsLostOnlyToAnotherProgram) {
  EXPECT_FALSE(LostAfter({}));
  EXPECT_FALSE(LostAfter({0, K + 1}));            // to the saver's other output
  EXPECT_FALSE(LostAfter({0, K + 1, 1, K + 0}));  // and back, outputs arranged
  EXPECT_TRUE(LostAfter({0}));                    // to a locker's lock surface
  EXPECT_TRUE(LostAfter({0, K + 1, 1}));          // ... after a move
  EXPECT_FALSE(LostAfter({0, K + 0}));            // given back alone (an output plugged in)
  EXPECT_FALSE(LostAfter({P + 0}));               // the pointer alone (the cursor hidden)
  EXPECT_TRUE(LostAfter({P + 0, 0, K + 0}));      // both taken at once (a locker, sway 1.7)
  EXPECT_TRUE(LostAfter({0, K + 0, 0, K + 1, P + 0}));
  EXPECT_FALSE(LostAfter({P + 0, P + K + 1, 0, K + 0}));  // the pointer onto another output
  EXPECT_FALSE(LostAfter({2}));                           // its surface closed with its output
  EXPECT_FALSE(LostAfter({P + 2, 0, K + 0}));
  EXPECT_FALSE(LostAfter({-1, 99, K + 99, P + 99}));  // surfaces already gone

  // A leave asks for the rest of its burst; judged, it is forgotten, as is a dropped surface.
  SeatFocus focus = After({});
  EXPECT_FALSE(seatFocusMoved(focus));
  focusLeft(focus.keyboard, 0);
  EXPECT_TRUE(seatFocusMoved(focus));
  EXPECT_TRUE(seatFocusLost(focus, 0b011));
  focusEntered(focus.keyboard, 1);
  EXPECT_FALSE(seatFocusLost(focus, 0b011));
  seatFocusJudged(focus);
  EXPECT_FALSE(seatFocusMoved(focus));
  focusLeft(focus.keyboard, 1);
  seatFocusForget(focus, 1);
  EXPECT_FALSE(seatFocusLost(focus, 0b011));
  EXPECT_EQ(focus.keyboard.on, kNoSurface);
  EXPECT_FALSE(seatFocusLost(kNoSeatFocus, 0b011));
}

}  // namespace
