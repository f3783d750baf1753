#include <gtest/gtest.h>

#include "wayland/seat_input.h"

namespace {

// Presses end the saver (a touch as a click), the wheel does not; the rest stand for nothing.
TEST(SeatInput, EachSeatEventStandsForItsWakeInput) {
  using E = SeatEvent;
  WakeInputKind kind{};
  const auto wakes = [&kind] { return inputWakes(WakeInput{kind, {}}, ScreenPoint{}); };
  for (E e : {E::KeyPressed, E::ButtonPressed, E::TouchDown}) {
    EXPECT_TRUE(wakeInputOfSeatEvent(e, &kind) && wakes()) << int(e);
  }
  EXPECT_TRUE(wakeInputOfSeatEvent(E::AxisTurned, &kind) && !wakes());
  for (E e : {E::KeyReleased, E::ButtonReleased, E::TouchUp, E::TouchMoved, E::TouchCancelled}) {
    EXPECT_FALSE(wakeInputOfSeatEvent(e, &kind)) << int(e);
  }
}

// Keyboard focus events (n: leave surface n, K + n: enter it), pointer ones (P + n, P + K + n),
// from surface 0 (or as `focus` was left); judged at `nowMs` with 0 and 1 showing, 2 closed; -1
// and 99 are none of the saver's.
constexpr int K = 100, P = 200;
SeatFocus focus;
bool LostAfter(std::initializer_list<int> events, std::uint32_t nowMs = 0, bool fresh = true) {
  if (fresh) {
    focus = kNoSeatFocus;
    focus.keyboard.on = focus.pointer.on = 0;
  }
  for (int e : events) {
    const int n = e >= P ? e - P : e;
    n >= K ? focusEntered(e >= P ? focus.pointer : focus.keyboard, n - K)
           : focusLeft(e >= P ? focus.pointer : focus.keyboard, n);
  }
  const bool lost = seatFocusLost(focus, 0b011, nowMs);
  seatFocusJudged(focus, 0b011, nowMs);
  return lost;
}

TEST(SeatInput, TheFocusIsLostOnlyToAnotherProgram) {
  EXPECT_FALSE(LostAfter({0, K + 1, 1, K + 0}));          // between outputs, and back
  EXPECT_TRUE(LostAfter({0, K + 1, 1}));                  // to a lock surface, after a move
  EXPECT_FALSE(LostAfter({0, K + 0}));                    // given back (an output plugged in)
  EXPECT_FALSE(LostAfter({P + 0}));                       // the pointer alone (cursor hidden)
  EXPECT_TRUE(LostAfter({P + 0, 0, K + 0}));              // both taken (a locker on sway 1.7)
  EXPECT_FALSE(LostAfter({P + 0, P + K + 1, 0, K + 0}));  // the pointer onto another output
  EXPECT_FALSE(LostAfter({P + 0, 0, K + 1}));             // the keyboard over first (KWin)
  EXPECT_FALSE(LostAfter({P + K + 1}, 0, false));         // and the pointer after it
  EXPECT_FALSE(LostAfter({0, K + 2, 2, P + 0, P + K + 2, P + 2}));  // 2 closed with its output
  EXPECT_FALSE(LostAfter({-1, 99, K + 99, P + 99}));                // surfaces already gone

  // Taken together over two bursts (as sway 1.7 does), in either order, with a wrapped tick; not
  // when the pointer came back meanwhile, nor when too far apart.
  EXPECT_FALSE(LostAfter({P + 0}, 0xFFFFFF00u));
  EXPECT_TRUE(LostAfter({0, K + 0}, 0xFFFFFF00u + kTakenTogetherMs, false));
  EXPECT_FALSE(LostAfter({0, K + 0}, 100));
  EXPECT_TRUE(LostAfter({P + 0}, 100 + kTakenTogetherMs, false));
  EXPECT_FALSE(LostAfter({P + 0}, 100));
  EXPECT_FALSE(LostAfter({P + K + 1}, 200, false));
  EXPECT_FALSE(LostAfter({0, K + 0}, 300, false));
  EXPECT_FALSE(LostAfter({0, K + 0}, 100));
  EXPECT_FALSE(LostAfter({P + 0}, 101 + kTakenTogetherMs, false));

  // A leave asks for the rest of its burst; a dropped surface leaves nothing behind.
  focus = kNoSeatFocus;
  focusLeft(focus.keyboard, 0);
  EXPECT_TRUE(seatFocusMoved(focus));
  seatFocusForget(focus, 0);
  EXPECT_FALSE(seatFocusLost(focus, 0b011, 0));
  seatFocusJudged(focus, 0b011, 0);
  EXPECT_FALSE(seatFocusMoved(focus));
}

}  // namespace
