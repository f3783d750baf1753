#include "wayland/seat_input.h"

bool wakeInputOfSeatEvent(SeatEvent event, WakeInputKind* kind) {
  switch (event) {
    case SeatEvent::KeyPressed:
      *kind = WakeInputKind::KeyDown;
      return true;
    case SeatEvent::ButtonPressed:
    case SeatEvent::TouchDown:
      *kind = WakeInputKind::ButtonDown;
      return true;
    case SeatEvent::AxisTurned:
      *kind = WakeInputKind::WheelTurned;
      return true;
    case SeatEvent::KeyReleased:
    case SeatEvent::ButtonReleased:
    case SeatEvent::TouchUp:
    case SeatEvent::TouchMoved:
    case SeatEvent::TouchCancelled:
      return false;
  }
  return false;
}

namespace {

bool isSlot(std::int32_t surface) { return surface >= 0 && surface < 32; }

// It left a surface that still shows and is on none of the saver's.
bool gone(const FocusWatch& watch, std::uint32_t showing) {
  return isSlot(watch.left) && watch.on == kNoSurface && (showing & (1u << watch.left)) != 0;
}

void forget(FocusWatch& watch, std::int32_t surface) {
  if (watch.on == surface) watch.on = kNoSurface;
  if (watch.left == surface) watch.left = kNoSurface;
}

void judged(FocusWatch& watch) {
  watch.left = kNoSurface;
  watch.leftAny = false;
  watch.cameBack = false;
}

}  // namespace

void focusEntered(FocusWatch& watch, std::int32_t surface) {
  if (!isSlot(surface)) return;
  if (watch.left == surface) watch.cameBack = true;
  watch.left = kNoSurface;
  watch.on = surface;
}

void focusLeft(FocusWatch& watch, std::int32_t surface) {
  if (!isSlot(surface)) return;
  watch.left = surface;
  watch.leftAny = true;
  if (watch.on == surface) watch.on = kNoSurface;
}

void seatFocusForget(SeatFocus& focus, std::int32_t surface) {
  forget(focus.keyboard, surface);
  forget(focus.pointer, surface);
}

bool seatFocusMoved(const SeatFocus& focus) {
  return focus.keyboard.leftAny || focus.pointer.leftAny;
}

namespace {

bool recent(std::uint32_t thenMs, std::uint32_t nowMs) {
  return nowMs - thenMs <= kTakenTogetherMs;
}

bool keyboardCameBack(const SeatFocus& focus, std::uint32_t nowMs) {
  return focus.keyboard.cameBack || (focus.keyboardCameBack && recent(focus.keyboardBackMs, nowMs));
}

bool pointerTaken(const SeatFocus& focus, std::uint32_t showing, std::uint32_t nowMs) {
  if (gone(focus.pointer, showing)) return true;
  return focus.pointerOff && focus.pointer.on == kNoSurface && recent(focus.pointerOffMs, nowMs);
}

}  // namespace

bool seatFocusLost(const SeatFocus& focus, std::uint32_t showing, std::uint32_t nowMs) {
  return gone(focus.keyboard, showing) ||
         (keyboardCameBack(focus, nowMs) && pointerTaken(focus, showing, nowMs));
}

void seatFocusJudged(SeatFocus& focus, std::uint32_t showing, std::uint32_t nowMs) {
  if (focus.keyboard.cameBack) {
    focus.keyboardCameBack = true;
    focus.keyboardBackMs = nowMs;
  }
  if (gone(focus.pointer, showing)) {
    focus.pointerOff = true;
    focus.pointerOffMs = nowMs;
  } else if (focus.pointer.on != kNoSurface) {
    focus.pointerOff = false;
  }
  judged(focus.keyboard);
  judged(focus.pointer);
}
