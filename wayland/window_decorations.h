// How the saver's window (-window) gets its title bar and borders: drawn by the compositor where
// it offers server-side decorations, else by libdecor in the saver's own process, else none.
#pragma once

#include <cstdint>

#include "wayland/surface_plan.h"

enum class WindowDecorations : std::uint8_t {
  None,        // a fullscreen or layer surface, or nothing can decorate the window
  ServerSide,  // zxdg_decoration_manager_v1 asked for the compositor's decorations
  ClientSide,  // libdecor draws them (and handles moving, resizing and closing)
};

struct DecorationOffer {
  bool decorationManager;  // the compositor offers zxdg_decoration_manager_v1
  bool clientLibrary;      // the program was built with libdecor
};

// Only the window is decorated: the compositor's decorations where offered, else libdecor's.
WindowDecorations chooseWindowDecorations(SurfaceRole role, DecorationOffer offer);

// The smallest content size a decorated window may be resized to.
inline constexpr ClientSize kMinimumWindowSize{160, 90};

// The window's content size from a configure: the size asked for where it names both sides,
// else the size it had (a window the user resized keeps that size when it is, say, unmaximised),
// else the default window's.
ClientSize windowContentSize(ClientSize asked, ClientSize previous);
