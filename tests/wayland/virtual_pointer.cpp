// A pointer for the Wayland tests, through the compositor's virtual-pointer protocol: it makes a
// pointer device (the seat announces it to its clients, which then take a pointer of their own),
// carries out its actions in order, waits 0.3 s and ends.
// Actions:
//   move <dx> <dy>   a relative motion, in pixels
//   click            a press and release of the left button
//   wheel            one step of the vertical wheel
//   pause <ms>       a wait
//   await <file>     a wait until the file exists (the test's word that a client is ready)
// Ends with 2 when the compositor offers no virtual pointers, 1 on other failures.
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client.h"

namespace {

constexpr std::uint32_t kLeftButton = 0x110;  // BTN_LEFT

zwlr_virtual_pointer_manager_v1* gManager = nullptr;
wl_seat* gSeat = nullptr;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t) {
  if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    gManager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && gSeat == nullptr) {
    gSeat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  }
}

void GlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

std::uint32_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

// Waits, answering the compositor meanwhile (its pings, its events).
void Pause(wl_display* display, int ms) {
  const std::uint32_t end = NowMs() + static_cast<std::uint32_t>(ms);
  for (;;) {
    const std::int32_t left = static_cast<std::int32_t>(end - NowMs());
    if (left <= 0) return;
    wl_display_flush(display);
    pollfd fd{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&fd, 1, left) > 0 && wl_display_dispatch(display) < 0) return;
  }
}

// Waits until the file exists, looking every 20 ms; false after a minute without it.
bool Await(wl_display* display, const char* file) {
  for (int tries = 0; tries < 3000; ++tries) {
    if (access(file, F_OK) == 0) return true;
    Pause(display, 20);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "virtual_pointer: no Wayland display\n");
    return 1;
  }
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, nullptr);
  wl_display_roundtrip(display);
  if (gManager == nullptr) {
    std::fprintf(stderr, "virtual_pointer: the compositor offers no virtual pointers\n");
    return 2;
  }
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(gManager, gSeat);
  wl_display_roundtrip(display);

  for (int i = 1; i < argc; ++i) {
    const char* action = argv[i];
    if (std::strcmp(action, "move") == 0 && i + 2 < argc) {
      const double dx = std::atof(argv[i + 1]);
      const double dy = std::atof(argv[i + 2]);
      i += 2;
      zwlr_virtual_pointer_v1_motion(pointer, NowMs(), wl_fixed_from_double(dx),
                                     wl_fixed_from_double(dy));
    } else if (std::strcmp(action, "click") == 0) {
      zwlr_virtual_pointer_v1_button(pointer, NowMs(), kLeftButton,
                                     WL_POINTER_BUTTON_STATE_PRESSED);
      zwlr_virtual_pointer_v1_frame(pointer);
      zwlr_virtual_pointer_v1_button(pointer, NowMs(), kLeftButton,
                                     WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (std::strcmp(action, "wheel") == 0) {
      zwlr_virtual_pointer_v1_axis_source(pointer, WL_POINTER_AXIS_SOURCE_WHEEL);
      zwlr_virtual_pointer_v1_axis_discrete(pointer, NowMs(), WL_POINTER_AXIS_VERTICAL_SCROLL,
                                            wl_fixed_from_int(15), 1);
    } else if (std::strcmp(action, "pause") == 0 && i + 1 < argc) {
      Pause(display, std::atoi(argv[++i]));
      continue;
    } else if (std::strcmp(action, "await") == 0 && i + 1 < argc) {
      if (!Await(display, argv[++i])) {
        std::fprintf(stderr, "virtual_pointer: no %s after a minute\n", argv[i]);
        return 1;
      }
      continue;
    } else {
      std::fprintf(stderr, "virtual_pointer: bad action \"%s\"\n", action);
      return 1;
    }
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
  }
  Pause(display, 300);
  zwlr_virtual_pointer_v1_destroy(pointer);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}
