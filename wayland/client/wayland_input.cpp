// The saver's input on Wayland: each seat's keyboard and pointer, taken as the seat offers them,
// judged by the shared wake rule. A key, a button or the pointer moving more than the
// threshold from where it was first seen ends the saver; the wheel does not. The pointer's
// position is taken in the compositor's logical space (each output's place from xdg-output), so
// that moving from one output's surface to the next is measured as the move it is.
#include <unistd.h>

#include "wayland/client/wayland_client.h"

namespace {

WaylandClient* gClient = nullptr;

Seat& SeatOf(void* data) { return *static_cast<Seat*>(data); }

void Feed(WakeInputKind kind, ScreenPoint pointer) {
  if (wakeWatchInput(gClient->wake, WakeInput{kind, pointer})) gClient->ended = true;
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

SaverSurface* OwnSurface(wl_surface* surface) {
  if (surface == nullptr) return nullptr;
  for (SaverSurface& s : gClient->surfaces) {
    if (s.inUse && s.surface == surface) return &s;
  }
  return nullptr;
}

// Keyboard -------------------------------------------------------------------------------------

void Keymap(void*, wl_keyboard*, std::uint32_t, std::int32_t fd, std::uint32_t) { close(fd); }

void KeyboardEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}

void KeyboardLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}

void Key(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t state) {
  if (state == WL_KEYBOARD_KEY_STATE_PRESSED) Feed(WakeInputKind::KeyDown, ScreenPoint{0, 0});
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
  seat.pointerSurface = OwnSurface(surface);
  // No pointer over the saver.
  wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
  Feed(WakeInputKind::PointerMoved, GlobalPoint(seat.pointerSurface, x, y));
}

void PointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface*) {
  SeatOf(data).pointerSurface = nullptr;
}

void Motion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
  const Seat& seat = SeatOf(data);
  if (seat.pointerSurface != nullptr) {
    Feed(WakeInputKind::PointerMoved, GlobalPoint(seat.pointerSurface, x, y));
  }
}

void Button(void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t state) {
  if (state == WL_POINTER_BUTTON_STATE_PRESSED) {
    Feed(WakeInputKind::ButtonDown, ScreenPoint{0, 0});
  }
}

void Axis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {
  Feed(WakeInputKind::WheelTurned, ScreenPoint{0, 0});
}

void PointerFrame(void*, wl_pointer*) {}

void AxisSource(void*, wl_pointer*, std::uint32_t) {}

void AxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}

void AxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

void AxisValue120(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

const wl_pointer_listener kPointerListener = {PointerEnter, PointerLeave, Motion,     Button,
                                              Axis,         PointerFrame, AxisSource, AxisStop,
                                              AxisDiscrete, AxisValue120};

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
}

void ReleaseKeyboard(Seat& seat) {
  if (seat.keyboard == nullptr) return;
  if (wl_keyboard_get_version(seat.keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
    wl_keyboard_release(seat.keyboard);
  } else {
    wl_keyboard_destroy(seat.keyboard);
  }
  seat.keyboard = nullptr;
}

// Devices come and go with the seat's capabilities (a virtual keyboard, a mouse plugged in).
void Capabilities(void* data, wl_seat* wlSeat, std::uint32_t capabilities) {
  Seat& seat = SeatOf(data);
  const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
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
}

void SeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {Capabilities, SeatName};

}  // namespace

void BindSeat(WaylandClient& client, std::uint32_t name, std::uint32_t version) {
  gClient = &client;
  for (Seat& seat : client.seats) {
    if (seat.inUse) continue;
    seat = Seat{};
    seat.inUse = true;
    seat.globalName = name;
    seat.seat = static_cast<wl_seat*>(
        wl_registry_bind(client.registry, name, &wl_seat_interface, version < 5 ? version : 5));
    wl_seat_add_listener(seat.seat, &kSeatListener, &seat);
    return;
  }
}

void DropSeat(WaylandClient&, Seat& seat) {
  ReleasePointer(seat);
  ReleaseKeyboard(seat);
  if (wl_seat_get_version(seat.seat) >= WL_SEAT_RELEASE_SINCE_VERSION) {
    wl_seat_release(seat.seat);
  } else {
    wl_seat_destroy(seat.seat);
  }
  seat = Seat{};
}

void ForgetPointerSurface(WaylandClient& client, const SaverSurface& surface) {
  for (Seat& seat : client.seats) {
    if (seat.inUse && seat.pointerSurface == &surface) seat.pointerSurface = nullptr;
  }
}
