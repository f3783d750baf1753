// The window decorated by libdecor: its frame makes the xdg toplevel and draws the title bar and
// borders (with the plugin installed beside it) in subsurfaces of its own; dragging the title bar
// moves the window, its edges resize it and its close button ends the saver. Its protocol events
// come on the saver's own connection and are taken by the saver's loop.
#include <libdecor.h>

#include <cstdio>

#include "wayland/client/wayland_client.h"
#include "wayland/window_decorations.h"

namespace {

SaverSurface& Surface(void* data) { return *static_cast<SaverSurface*>(data); }

// The frame's content is the saver's picture at the size asked for; libdecor sizes its
// decorations around it.
void FrameConfigure(libdecor_frame* frame, libdecor_configuration* configuration, void* data) {
  SaverSurface& s = Surface(data);
  int width = 0, height = 0;
  if (!libdecor_configuration_get_content_size(configuration, frame, &width, &height)) {
    width = height = 0;
  }
  const ClientSize size = windowContentSize(ClientSize{width, height}, s.configured);
  libdecor_state* state = libdecor_state_new(size.width, size.height);
  libdecor_frame_commit(frame, state, configuration);
  libdecor_state_free(state);
  s.configured = size;
  s.pacing.configured = true;
  s.resizePending = true;
}

void FrameClose(libdecor_frame*, void* data) { Surface(data).client->ended = true; }

void FrameCommit(libdecor_frame*, void* data) { wl_surface_commit(Surface(data).surface); }

void FrameDismissPopup(libdecor_frame*, const char*, void*) {}

// libdecor's interfaces end in reserved slots, left null.
libdecor_frame_interface FrameInterface() {
  libdecor_frame_interface calls{};
  calls.configure = FrameConfigure;
  calls.close = FrameClose;
  calls.commit = FrameCommit;
  calls.dismiss_popup = FrameDismissPopup;
  return calls;
}

libdecor_frame_interface kFrameInterface = FrameInterface();

void LibraryError(libdecor*, libdecor_error, const char* message) {
  std::fprintf(stderr, "quellwire: the window's decorations failed: %s\n", message);
}

libdecor_interface LibraryInterface() {
  libdecor_interface calls{};
  calls.error = LibraryError;
  return calls;
}

libdecor_interface kLibraryInterface = LibraryInterface();

}  // namespace

const bool kDecorationLibraryBuilt = true;

bool MakeLibraryFrame(WaylandClient& client, SaverSurface& s) {
  if (client.decorationLibrary == nullptr) {
    client.decorationLibrary = libdecor_new(client.display, &kLibraryInterface);
    if (client.decorationLibrary == nullptr) return false;
  }
  s.frame = libdecor_decorate(client.decorationLibrary, s.surface, &kFrameInterface, &s);
  if (s.frame == nullptr) return false;
  libdecor_frame_set_title(s.frame, kWindowTitle);
  libdecor_frame_set_app_id(s.frame, kWindowAppId);
  libdecor_frame_set_min_content_size(s.frame, kMinimumWindowSize.width, kMinimumWindowSize.height);
  libdecor_frame_map(s.frame);
  return true;
}

void DropLibraryFrame(SaverSurface& s) {
  libdecor_frame_unref(s.frame);
  s.frame = nullptr;
}

void CloseDecorationLibrary(WaylandClient& client) {
  if (client.decorationLibrary != nullptr) libdecor_unref(client.decorationLibrary);
  client.decorationLibrary = nullptr;
}
