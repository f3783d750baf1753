// What input reaching the Wayland saver's surfaces stands for under the shared wake rule
// (driver/wake_rule): each seat event's kind, and when the keyboard focus counts as lost.
#pragma once

#include <cstdint>

#include "driver/wake_rule.h"

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

// Where one of a seat's foci (its keyboard's or its pointer's) is among the saver's surfaces,
// as their enter and leave events tell.
struct FocusWatch {
  std::int32_t on;    // the surface it is on; kNoSurface when on none of the saver's
  std::int32_t left;  // the surface it last left, until the next enter
  bool leftAny;       // it left a surface since the last judgement
  bool cameBack;      // it left a surface and entered that same surface next
};

inline constexpr FocusWatch kNoFocus{kNoSurface, kNoSurface, false, false};

void focusEntered(FocusWatch& watch, std::int32_t surface);
void focusLeft(FocusWatch& watch, std::int32_t surface);

// Within this time of each other, the keyboard focus coming back and the pointer focus going
// count as taken together (a locker maps its surfaces, which brings the keyboard back, some time
// after it took the input).
inline constexpr std::uint32_t kTakenTogetherMs = 2000;

// A seat's keyboard and pointer focus. The saver has lost the focus to another program (a
// screen locker, a window that takes the keyboard) when, once the events at hand are taken:
// - the keyboard focus left one of the saver's surfaces that still shows (neither closed by the
//   compositor nor on an output that went) and entered none of them since, or
// - both were taken together: the keyboard focus left a surface and came straight back to it (a
//   compositor sends neither for a surface that keeps the focus, so the focus was elsewhere in
//   between), and the pointer focus left a surface that still shows for none of the saver's,
//   within kTakenTogetherMs and with the pointer still off. sway 1.7 does this when a locker
//   takes the input with its input inhibitor: it takes the pointer at once, and gives the
//   keyboard straight back to the saver's exclusive-keyboard surface when the locker's own
//   surfaces come.
// Kept: the focus moving between the saver's surfaces (outputs arranged), the keyboard alone
// coming back (sway 1.7, when an output is plugged in or a workspace shown), the pointer alone
// leaving (sway hiding an idle cursor clears the pointer focus).
struct SeatFocus {
  FocusWatch keyboard;
  FocusWatch pointer;
  bool keyboardCameBack;  // at keyboardBackMs (judged earlier)
  std::uint32_t keyboardBackMs;
  bool pointerOff;  // it left a surface that still showed at pointerOffMs, and is on none since
  std::uint32_t pointerOffMs;
};

inline constexpr SeatFocus kNoSeatFocus{kNoFocus, kNoFocus, false, 0, false, 0};

// The surface went (dropped by the saver): no focus is on it any more, nor left it.
void seatFocusForget(SeatFocus& focus, std::int32_t surface);

// Whether a focus left a surface since the last judgement: the change may go on in events that
// are still on their way, so the client takes all the compositor has sent before judging.
bool seatFocusMoved(const SeatFocus& focus);

// Whether the focus was lost, judged at `nowMs` (a millisecond tick) over the events taken since
// the last judgement and what earlier ones left; `showing` has a bit per slot of the surfaces
// that still show.
bool seatFocusLost(const SeatFocus& focus, std::uint32_t showing, std::uint32_t nowMs);

// The events so far are judged: what they left is kept with its time, and the next judgement
// looks at the events that come after.
void seatFocusJudged(SeatFocus& focus, std::uint32_t showing, std::uint32_t nowMs);
