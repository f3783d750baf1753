// The saver's input on Wayland: each seat's keyboard, pointer and touch screen, taken as the seat
// offers them, judged by the shared wake rule (through wayland/seat_input). A key, a button, a
// touch, the keyboard focus lost to another program or the pointer moving more than the
// threshold from where it was first seen ends the saver; the wheel does not. The pointer's
// position is taken in the compositor's logical space (each output's place from xdg-output), so
// that moving from one output's surface to the next is measured as the move it is.
#include <unistd.h>

#include "wayland/client/wayland_client.h"

namespace {

Seat& SeatOf(void* data) { return *static_cast<Seat*>(data); }

void Feed(WaylandClient& client, WakeInputKind kind, ScreenPoint pointer) {
  if (wakeWatchInput(client.wake, WakeInput{kind, pointer})) client.ended = true;
}

void FeedEvent(void* seat, SeatEvent event) {
  WakeInputKind kind{};
  if (wakeInputOfSeatEvent(event, &kind)) Feed(*SeatOf(seat).client, kind, ScreenPoint{0, 0});
}

// A surface-local position in the compositor's logical space.
ScreenPoint GlobalPoint(const SaverSurface* surface, wl_fixed_t x, wl_fixed_t y) {
  ScreenPoint point{wl_fixed_to_int(x), wl_fixed_to_int(y)};
  if (surface != nullptr && surface->output != nullptr) {
    point.x += surface->output->position.x;
    point.y += surface->output->position.y;
  }
  return point;
}

SaverSurface* OwnSurface(WaylandClient& client, wl_surface* surface) {
  if (surface == nullptr) return nullptr;
  for (SaverSurface& s : client.surfaces) {
    if (s.inUse && s.surface == surface) return &s;
  }
  return nullptr;
}

// The surface's slot in the table, for the focus watch; kNoSurface when it is not the saver's.
std::int32_t OwnSlot(WaylandClient& client, wl_surface* surface) {
  const SaverSurface* own = OwnSurface(client, surface);
  return own != nullptr ? static_cast<std::int32_t>(own - client.surfaces) : kNoSurface;
}

// Keyboard -------------------------------------------------------------------------------------

void Keymap(void*, wl_keyboard*, std::uint32_t, std::int32_t fd, std::uint32_t) { close(fd); }

void KeyboardEnter(void* data, wl_keyboard*, std::uint32_t, wl_surface* surface, wl_array*) {
  Seat& seat = SeatOf(data);
  focusEntered(seat.focus.keyboard, OwnSlot(*seat.client, surface));
}

void KeyboardLeave(void* data, wl_keyboard*, std::uint32_t, wl_surface* surface) {
  Seat& seat = SeatOf(data);
  focusLeft(seat.focus.keyboard, OwnSlot(*seat.client, surface));
}

void Key(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
         std::uint32_t state) {
  FeedEvent(data, state == WL_KEYBOARD_KEY_STATE_PRESSED ? SeatEvent::KeyPressed
                                                         : SeatEvent::KeyReleased);
}

void Modifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
               std::uint32_t) {}

void RepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

const wl_keyboard_listener kKeyboardListener = {Keymap, KeyboardEnter, KeyboardLeave,
                                                Key,    Modifiers,     RepeatInfo};

// Pointer --------------------------------------------------------------------------------------

void PointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                  wl_fixed_t x, wl_fixed_t y) {
  Seat& seat = SeatOf(data);
  seat.pointerSurface = OwnSurface(*seat.client, surface);
  focusEntered(seat.focus.pointer, OwnSlot(*seat.client, surface));
  // No pointer over the saver.
  wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
  Feed(*seat.client, WakeInputKind::PointerMoved, GlobalPoint(seat.pointerSurface, x, y));
}

void PointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface* surface) {
  Seat& seat = SeatOf(data);
  seat.pointerSurface = nullptr;
  focusLeft(seat.focus.pointer, OwnSlot(*seat.client, surface));
}

void Motion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
  const Seat& seat = SeatOf(data);
  if (seat.pointerSurface != nullptr) {
    Feed(*seat.client, WakeInputKind::PointerMoved, GlobalPoint(seat.pointerSurface, x, y));
  }
}

void Button(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t,
            std::uint32_t state) {
  FeedEvent(data, state == WL_POINTER_BUTTON_STATE_PRESSED ? SeatEvent::ButtonPressed
                                                           : SeatEvent::ButtonReleased);
}

void Axis(void* data, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {
  FeedEvent(data, SeatEvent::AxisTurned);
}

void PointerFrame(void*, wl_pointer*) {}

void AxisSource(void*, wl_pointer*, std::uint32_t) {}

void AxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}

void AxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

void AxisValue120(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

const wl_pointer_listener kPointerListener = {PointerEnter, PointerLeave, Motion,     Button,
                                              Axis,         PointerFrame, AxisSource, AxisStop,
                                              AxisDiscrete, AxisValue120};

// Touch ----------------------------------------------------------------------------------------

void TouchDown(void* data, wl_touch*, std::uint32_t, std::uint32_t, wl_surface*, std::int32_t,
               wl_fixed_t, wl_fixed_t) {
  FeedEvent(data, SeatEvent::TouchDown);
}

void TouchUp(void* data, wl_touch*, std::uint32_t, std::uint32_t, std::int32_t) {
  FeedEvent(data, SeatEvent::TouchUp);
}

void TouchMotion(void* data, wl_touch*, std::uint32_t, std::int32_t, wl_fixed_t, wl_fixed_t) {
  FeedEvent(data, SeatEvent::TouchMoved);
}

void TouchFrame(void*, wl_touch*) {}

void TouchCancel(void* data, wl_touch*) { FeedEvent(data, SeatEvent::TouchCancelled); }

void TouchShape(void*, wl_touch*, std::int32_t, wl_fixed_t, wl_fixed_t) {}

void TouchOrientation(void*, wl_touch*, std::int32_t, wl_fixed_t) {}

const wl_touch_listener kTouchListener = {TouchDown,   TouchUp,    TouchMotion,     TouchFrame,
                                          TouchCancel, TouchShape, TouchOrientation};

// Seat -----------------------------------------------------------------------------------------

void ReleasePointer(Seat& seat) {
  if (seat.pointer == nullptr) return;
  if (wl_pointer_get_version(seat.pointer) >= WL_POINTER_RELEASE_SINCE_VERSION) {
    wl_pointer_release(seat.pointer);
  } else {
    wl_pointer_destroy(seat.pointer);
  }
  seat.pointer = nullptr;
  seat.pointerSurface = nullptr;
  seat.focus.pointer = kNoFocus;
  seat.focus.pointerOff = false;
}

void ReleaseKeyboard(Seat& seat) {
  if (seat.keyboard == nullptr) return;
  if (wl_keyboard_get_version(seat.keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
    wl_keyboard_release(seat.keyboard);
  } else {
    wl_keyboard_destroy(seat.keyboard);
  }
  seat.keyboard = nullptr;
  seat.focus.keyboard = kNoFocus;
  seat.focus.keyboardCameBack = false;
}

void ReleaseTouch(Seat& seat) {
  if (seat.touch == nullptr) return;
  if (wl_touch_get_version(seat.touch) >= WL_TOUCH_RELEASE_SINCE_VERSION) {
    wl_touch_release(seat.touch);
  } else {
    wl_touch_destroy(seat.touch);
  }
  seat.touch = nullptr;
}

// Devices come and go with the seat's capabilities (a virtual keyboard, a mouse plugged in, a
// touch screen).
void Capabilities(void* data, wl_seat* wlSeat, std::uint32_t capabilities) {
  Seat& seat = SeatOf(data);
  const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  const bool touch = (capabilities & WL_SEAT_CAPABILITY_TOUCH) != 0;
  if (pointer && seat.pointer == nullptr) {
    seat.pointer = wl_seat_get_pointer(wlSeat);
    wl_pointer_add_listener(seat.pointer, &kPointerListener, &seat);
  } else if (!pointer) {
    ReleasePointer(seat);
  }
  if (keyboard && seat.keyboard == nullptr) {
    seat.keyboard = wl_seat_get_keyboard(wlSeat);
    wl_keyboard_add_listener(seat.keyboard, &kKeyboardListener, &seat);
  } else if (!keyboard) {
    ReleaseKeyboard(seat);
  }
  if (touch && seat.touch == nullptr) {
    seat.touch = wl_seat_get_touch(wlSeat);
    wl_touch_add_listener(seat.touch, &kTouchListener, &seat);
  } else if (!touch) {
    ReleaseTouch(seat);
  }
}

void SeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {Capabilities, SeatName};

}  // namespace

void BindSeat(WaylandClient& client, std::uint32_t name, std::uint32_t version) {
  for (Seat& seat : client.seats) {
    if (seat.inUse) continue;
    seat = Seat{};
    seat.inUse = true;
    seat.client = &client;
    seat.globalName = name;
    seat.focus = kNoSeatFocus;
    seat.seat = static_cast<wl_seat*>(
        wl_registry_bind(client.registry, name, &wl_seat_interface, version < 5 ? version : 5));
    wl_seat_add_listener(seat.seat, &kSeatListener, &seat);
    return;
  }
}

void DropSeat(WaylandClient&, Seat& seat) {
  ReleasePointer(seat);
  ReleaseKeyboard(seat);
  ReleaseTouch(seat);
  if (wl_seat_get_version(seat.seat) >= WL_SEAT_RELEASE_SINCE_VERSION) {
    wl_seat_release(seat.seat);
  } else {
    wl_seat_destroy(seat.seat);
  }
  seat = Seat{};
}

void ForgetPointerSurface(WaylandClient& client, const SaverSurface& surface) {
  const auto slot = static_cast<std::int32_t>(&surface - client.surfaces);
  for (Seat& seat : client.seats) {
    if (!seat.inUse) continue;
    if (seat.pointerSurface == &surface) seat.pointerSurface = nullptr;
    seatFocusForget(seat.focus, slot);
  }
}

namespace {

static_assert(kMaxSurfaces <= 32, "the focus watch knows a surface by a bit of 32");

// A bit per surface slot that still shows: neither closed by the compositor nor on an output
// that went.
std::uint32_t ShowingSurfaces(const WaylandClient& client) {
  std::uint32_t showing = 0;
  for (int i = 0; i < kMaxSurfaces; ++i) {
    const SaverSurface& s = client.surfaces[i];
    if (s.inUse && !s.lost && (s.output == nullptr || !s.output->removed)) showing |= 1u << i;
  }
  return showing;
}

bool AnySeatFocusMoved(const WaylandClient& client) {
  for (const Seat& seat : client.seats) {
    if (seat.inUse && seatFocusMoved(seat.focus)) return true;
  }
  return false;
}

bool AnySeatLostFocus(const WaylandClient& client, std::uint32_t showing, std::uint32_t now) {
  for (const Seat& seat : client.seats) {
    if (seat.inUse && seatFocusLost(seat.focus, showing, now)) return true;
  }
  return false;
}

}  // namespace

void JudgeSeatFocus(WaylandClient& client) {
  // A focus change comes in one burst, which may have been read in part: a roundtrip brings the
  // rest (all the compositor sent before it) before the change is judged.
  if (!AnySeatFocusMoved(client) || wl_display_roundtrip(client.display) < 0) return;
  const std::uint32_t showing = ShowingSurfaces(client);
  const std::uint32_t now = MonotonicTickMs();
  if (AnySeatLostFocus(client, showing, now)) {
    Feed(client, WakeInputKind::FocusLost, ScreenPoint{0, 0});
  }
  for (Seat& seat : client.seats) seatFocusJudged(seat.focus, showing, now);
}
