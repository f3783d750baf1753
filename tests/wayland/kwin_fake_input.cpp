// Input for the tests on KWin, through its fake-input protocol (KWin lets any client use it when
// started with KWIN_WAYLAND_NO_PERMISSION_CHECKS). Actions, in order:
//   key <code>   a press and release of a Linux key code
//   at <x> <y>   the pointer to that place of the workspace
//   click        a press and release of the left button
// Ends with 2 when the compositor offers no fake input, 1 on other failures.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <wayland-client.h>

#include "fake-input-client.h"

namespace {

constexpr std::uint32_t kLeftButton = 0x110;  // BTN_LEFT

org_kde_kwin_fake_input* gFakeInput = nullptr;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t version) {
  if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4) {
    gFakeInput = static_cast<org_kde_kwin_fake_input*>(
        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
  }
}

void GlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

}  // namespace

int main(int argc, char** argv) {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return 1;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, nullptr);
  if (wl_display_roundtrip(display) < 0) return 1;
  if (gFakeInput == nullptr) {
    std::fprintf(stderr, "kwin_fake_input: the compositor offers no fake input\n");
    return 2;
  }
  org_kde_kwin_fake_input_authenticate(gFakeInput, "quellwire tests", "keys for a test");
  if (wl_display_roundtrip(display) < 0) return 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "key") == 0 && i + 1 < argc) {
      const auto code = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
      org_kde_kwin_fake_input_keyboard_key(gFakeInput, code, 1);
      org_kde_kwin_fake_input_keyboard_key(gFakeInput, code, 0);
    } else if (std::strcmp(argv[i], "at") == 0 && i + 2 < argc) {
      const double x = std::strtod(argv[i + 1], nullptr), y = std::strtod(argv[i + 2], nullptr);
      i += 2;
      org_kde_kwin_fake_input_pointer_motion_absolute(gFakeInput, wl_fixed_from_double(x),
                                                      wl_fixed_from_double(y));
    } else if (std::strcmp(argv[i], "click") == 0) {
      org_kde_kwin_fake_input_button(gFakeInput, kLeftButton, 1);
      org_kde_kwin_fake_input_button(gFakeInput, kLeftButton, 0);
    } else {
      std::fprintf(stderr, "kwin_fake_input: unknown action %s\n", argv[i]);
      return 1;
    }
    if (wl_display_roundtrip(display) < 0) return 1;
  }
  if (wl_display_roundtrip(display) < 0) return 1;
  org_kde_kwin_fake_input_destroy(gFakeInput);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return 0;
}
