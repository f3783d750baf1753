// Keys for the tests on KWin, through its fake-input protocol (KWin's tests and remote-input
// tools use it; KWin lets any client use it when started with KWIN_WAYLAND_NO_PERMISSION_CHECKS):
// `kwin_fake_input CODE...` presses and releases each Linux key code in turn. Ends with 2 when
// the compositor offers no fake input, 1 on other failures.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <wayland-client.h>

#include "fake-input-client.h"

namespace {

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
    const auto code = static_cast<std::uint32_t>(std::strtoul(argv[i], nullptr, 10));
    org_kde_kwin_fake_input_keyboard_key(gFakeInput, code, 1);
    org_kde_kwin_fake_input_keyboard_key(gFakeInput, code, 0);
  }
  if (wl_display_roundtrip(display) < 0) return 1;
  org_kde_kwin_fake_input_destroy(gFakeInput);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return 0;
}
