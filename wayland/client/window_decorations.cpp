// The window's decorations (see window_decorations.h): asked of the compositor with the
// xdg-decoration protocol, or made by libdecor (libdecor/decorated_frame.cpp) where the
// compositor draws none.
#include "wayland/window_decorations.h"

#include "wayland/client/wayland_client.h"

namespace {

WindowDecorations Chosen(const WaylandClient& client, const SaverSurface& s) {
  if (s.output != nullptr) return WindowDecorations::None;
  return chooseWindowDecorations(
      client.role, DecorationOffer{client.decorationManager != nullptr, kDecorationLibraryBuilt});
}

// The compositor may still draw none (its answer is only a preference): the window then goes
// without, as it would anywhere else.
void DecorationMode(void*, zxdg_toplevel_decoration_v1*, std::uint32_t) {}

const zxdg_toplevel_decoration_v1_listener kDecorationListener = {DecorationMode};

}  // namespace

bool DecorateWithLibrary(WaylandClient& client, SaverSurface& s) {
  return Chosen(client, s) == WindowDecorations::ClientSide && MakeLibraryFrame(client, s);
}

void AskServerDecorations(WaylandClient& client, SaverSurface& s) {
  if (Chosen(client, s) != WindowDecorations::ServerSide || s.toplevel == nullptr) return;
  s.decoration =
      zxdg_decoration_manager_v1_get_toplevel_decoration(client.decorationManager, s.toplevel);
  zxdg_toplevel_decoration_v1_add_listener(s.decoration, &kDecorationListener, &s);
  zxdg_toplevel_decoration_v1_set_mode(s.decoration, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
}

void DropDecorations(SaverSurface& s) {
  if (s.decoration != nullptr) zxdg_toplevel_decoration_v1_destroy(s.decoration);
  s.decoration = nullptr;
  if (s.frame != nullptr) DropLibraryFrame(s);
}

void CloseDecorations(WaylandClient& client) {
  if (client.decorationManager != nullptr) {
    zxdg_decoration_manager_v1_destroy(client.decorationManager);
  }
  client.decorationManager = nullptr;
  CloseDecorationLibrary(client);
}
