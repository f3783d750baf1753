// What input reaching the Wayland saver's surfaces stands for under the shared wake rule
// (display/wake_rule): each seat event's kind, and when the keyboard focus counts as lost.
#pragma once

#include <cstdint>

#include "display/wake_rule.h"

// The seat events the saver hears, from the keyboard, the pointer and the touch screen.
enum class SeatEvent : std::uint8_t {
  KeyPressed,
  KeyReleased,
  ButtonPressed,
  ButtonReleased,
  AxisTurned,  // the wheel, or a touchpad's scrolling
  TouchDown,
  TouchUp,
  TouchMoved,
  TouchCancelled,
};

// The wake input a seat event stands for: a key, a button and a touch down are presses (a finger
// put on the screen ends the saver as a click does), the axis a wheel turned; false for the
// others, which stand for nothing. (Pointer motion is measured by the wake rule itself.)
bool wakeInputOfSeatEvent(SeatEvent event, WakeInputKind* kind);

// The saver's surfaces are known by their slot in its table (0 to 31); a surface that is not
// the saver's, or no longer known to it, is kNoSurface.
inline constexpr std::int32_t kNoSurface = -1;

// Where one seat's keyboard focus is among the saver's surfaces, as wl_keyboard.enter and leave
// tell it. The focus is lost to another program (a screen locker, a window that took it) when,
// once the events at hand are taken:
// - it left a surface that still shows (neither closed by the compositor nor on an output that
//   went) and entered none of the saver's surfaces since, or
// - it left a surface and entered that same surface again next: a compositor sends neither for
//   a surface that keeps the focus, so the focus was elsewhere in between. (sway 1.7 does this
//   when a locker takes the input: it clears the saver's focus, then gives the saver's
//   exclusive-keyboard surface the focus again.)
// Focus moving from one of the saver's surfaces to another (outputs being arranged) is kept.
struct KeyboardFocusWatch {
  std::int32_t on;       // the surface it is on; kNoSurface when on none of the saver's
  std::int32_t left;     // the surface it last left, until the next enter
  bool passedElsewhere;  // it left a surface and came straight back to it
};

inline constexpr KeyboardFocusWatch kNoKeyboardFocus{kNoSurface, kNoSurface, false};

void keyboardFocusEntered(KeyboardFocusWatch& watch, std::int32_t surface);
void keyboardFocusLeft(KeyboardFocusWatch& watch, std::int32_t surface);

// The surface went (dropped by the saver): the focus is no longer on it, nor was it left from it.
void keyboardFocusForget(KeyboardFocusWatch& watch, std::int32_t surface);

// Whether the focus was lost over the events taken since the last judgement; `showing` has a
// bit per slot of the surfaces that still show.
bool keyboardFocusLost(const KeyboardFocusWatch& watch, std::uint32_t showing);

// The events so far are judged: the next judgement looks only at those that come after.
void keyboardFocusJudged(KeyboardFocusWatch& watch);
