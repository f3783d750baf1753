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

}  // namespace

void keyboardFocusEntered(KeyboardFocusWatch& watch, std::int32_t surface) {
  if (!isSlot(surface)) return;
  if (watch.left == surface) watch.passedElsewhere = true;
  watch.left = kNoSurface;
  watch.on = surface;
}

void keyboardFocusLeft(KeyboardFocusWatch& watch, std::int32_t surface) {
  if (!isSlot(surface)) return;
  watch.left = surface;
  if (watch.on == surface) watch.on = kNoSurface;
}

void keyboardFocusForget(KeyboardFocusWatch& watch, std::int32_t surface) {
  if (watch.on == surface) watch.on = kNoSurface;
  if (watch.left == surface) watch.left = kNoSurface;
}

bool keyboardFocusLost(const KeyboardFocusWatch& watch, std::uint32_t showing) {
  if (watch.passedElsewhere) return true;
  return isSlot(watch.left) && watch.on == kNoSurface && (showing & (1u << watch.left)) != 0;
}

void keyboardFocusJudged(KeyboardFocusWatch& watch) {
  watch.left = kNoSurface;
  watch.passedElsewhere = false;
}
