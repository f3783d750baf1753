// The saver's surfaces: a layer surface or an xdg toplevel made for an output (or the one
// window), configured by the compositor, drawn at its output's full pixel size by a frame driver
// of its own, and dropped when the compositor closes it or its output goes.
#include <cstdio>

#include "driver/posix/linux_saver.h"
#include "wayland/client/wayland_client.h"

namespace {

constexpr std::uint32_t kAllEdges =
    ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

SaverSurface& Surface(void* data) { return *static_cast<SaverSurface*>(data); }

int OutputSlot(const WaylandClient& client, const wl_output* output) {
  for (int i = 0; i < kMaxOutputs; ++i) {
    if (client.outputs[i].inUse && client.outputs[i].output == output) return i;
  }
  return -1;
}

// The integer scale a surface is drawn at (see surfaceIntegerScale).
std::int32_t IntegerScale(const WaylandClient& client, const SaverSurface& s) {
  std::int32_t scales[kMaxOutputs];
  for (int i = 0; i < kMaxOutputs; ++i) {
    scales[i] = client.outputs[i].inUse ? client.outputs[i].facts.scale : 0;
  }
  return surfaceIntegerScale(s.output != nullptr ? s.output->facts.scale : 0, s.enteredOutputs,
                             scales, kMaxOutputs);
}

void MarkResized(SaverSurface& s) { s.resizePending = true; }

// wl_surface ------------------------------------------------------------------------------------

void SurfaceEnter(void* data, wl_surface*, wl_output* output) {
  const int slot = OutputSlot(*Surface(data).client, output);
  if (slot < 0) return;
  Surface(data).enteredOutputs |= 1u << slot;
  MarkResized(Surface(data));
}

void SurfaceLeave(void* data, wl_surface*, wl_output* output) {
  const int slot = OutputSlot(*Surface(data).client, output);
  if (slot < 0) return;
  Surface(data).enteredOutputs &= ~(1u << slot);
  MarkResized(Surface(data));
}

const wl_surface_listener kSurfaceListener = {SurfaceEnter, SurfaceLeave};

void PreferredScale(void* data, wp_fractional_scale_v1*, std::uint32_t scale) {
  Surface(data).preferredScale120 = scale;
  MarkResized(Surface(data));
}

const wp_fractional_scale_v1_listener kFractionalScaleListener = {PreferredScale};

// Roles ----------------------------------------------------------------------------------------

void LayerConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                    std::uint32_t width, std::uint32_t height) {
  SaverSurface& s = Surface(data);
  zwlr_layer_surface_v1_ack_configure(layer, serial);
  s.configured = ClientSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
  s.pacing.configured = true;
  MarkResized(s);
}

void LayerClosed(void* data, zwlr_layer_surface_v1*) { Surface(data).lost = true; }

const zwlr_layer_surface_v1_listener kLayerListener = {LayerConfigure, LayerClosed};

void XdgSurfaceConfigure(void* data, xdg_surface* xdgSurface, std::uint32_t serial) {
  SaverSurface& s = Surface(data);
  xdg_surface_ack_configure(xdgSurface, serial);
  s.configured = s.pendingToplevel;
  s.pacing.configured = true;
  MarkResized(s);
}

const xdg_surface_listener kXdgSurfaceListener = {XdgSurfaceConfigure};

void ToplevelConfigure(void* data, xdg_toplevel*, std::int32_t width, std::int32_t height,
                       wl_array*) {
  Surface(data).pendingToplevel = ClientSize{width, height};
}

// Closing the window, or one of the fullscreen windows, ends the saver.
void ToplevelClose(void* data, xdg_toplevel*) { Surface(data).client->ended = true; }

void ToplevelBounds(void*, xdg_toplevel*, std::int32_t, std::int32_t) {}

void ToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}

const xdg_toplevel_listener kToplevelListener = {ToplevelConfigure, ToplevelClose, ToplevelBounds,
                                                 ToplevelCapabilities};

void FrameDone(void* data, wl_callback* callback, std::uint32_t) {
  SaverSurface& s = Surface(data);
  wl_callback_destroy(callback);
  if (s.frameCallback == callback) s.frameCallback = nullptr;
  s.pacing.frameOutstanding = false;
}

void GiveRole(WaylandClient& client, SaverSurface& s) {
  switch (client.role) {
    case SurfaceRole::OverlayLayer:
    case SurfaceRole::BackgroundLayer: {
      const bool overlay = client.role == SurfaceRole::OverlayLayer;
      s.layerSurface = zwlr_layer_shell_v1_get_layer_surface(
          client.layerShell, s.surface, s.output->output,
          overlay ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND,
          kWindowAppId);
      zwlr_layer_surface_v1_add_listener(s.layerSurface, &kLayerListener, &s);
      zwlr_layer_surface_v1_set_size(s.layerSurface, 0, 0);
      zwlr_layer_surface_v1_set_anchor(s.layerSurface, kAllEdges);
      zwlr_layer_surface_v1_set_exclusive_zone(s.layerSurface, -1);
      zwlr_layer_surface_v1_set_keyboard_interactivity(
          s.layerSurface, overlay ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                                  : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
      if (!overlay) {
        // The wallpaper takes no input: the pointer passes through an empty input region.
        wl_region* empty = wl_compositor_create_region(client.compositor);
        wl_surface_set_input_region(s.surface, empty);
        wl_region_destroy(empty);
      }
      break;
    }
    case SurfaceRole::FullscreenToplevel:
    case SurfaceRole::Toplevel:
      if (DecorateWithLibrary(client, s)) break;
      s.xdgSurface = xdg_wm_base_get_xdg_surface(client.wmBase, s.surface);
      xdg_surface_add_listener(s.xdgSurface, &kXdgSurfaceListener, &s);
      s.toplevel = xdg_surface_get_toplevel(s.xdgSurface);
      xdg_toplevel_add_listener(s.toplevel, &kToplevelListener, &s);
      xdg_toplevel_set_title(s.toplevel, kWindowTitle);
      xdg_toplevel_set_app_id(s.toplevel, kWindowAppId);
      if (s.output != nullptr) xdg_toplevel_set_fullscreen(s.toplevel, s.output->output);
      AskServerDecorations(client, s);
      break;
    case SurfaceRole::None:
      break;
  }
}

// The surface's size follows its configure and its scale: the flock is made at the first one,
// and later ones are adopted before the next frame. False when the flock could not be built.
bool ApplySize(WaylandClient& client, SaverSurface& s) {
  s.resizePending = false;
  const ClientSize outputLogical =
      s.output != nullptr ? outputLogicalSize(s.output->facts) : kDefaultWindowSize;
  const ClientSize logical = surfaceLogicalSize(client.role, s.configured, outputLogical);
  const SurfaceScale scale{IntegerScale(client, s), s.preferredScale120, s.viewport != nullptr};
  s.buffer = surfaceBuffer(logical, scale);
  wl_surface_set_buffer_scale(s.surface, s.buffer.bufferScale);
  if (s.viewport != nullptr) {
    if (s.buffer.viewport) {
      wp_viewport_set_destination(s.viewport, logical.width, logical.height);
    } else {
      wp_viewport_set_destination(s.viewport, -1, -1);
    }
  }
  const WindowSystem windowSystem = SurfaceWindowSystem(s);
  if (!s.created) {
    s.created = true;
    LinuxFrameDriverSetup(s.state, client.run.showFps);
    const bool built =
        RunCreationSequence(s.state, windowSystem, s.buffer.size, client.run.settings);
    if (!s.state.hasContext) s.cannotDraw = true;
    return built;
  }
  if (s.eglWindow != nullptr) {
    wl_egl_window_resize(s.eglWindow, s.buffer.size.width, s.buffer.size.height, 0, 0);
  }
  windowSystem.makeCurrent(windowSystem.window, true);
  RunResizeSequence(s.state, s.buffer.size);
  return true;
}

}  // namespace

const wl_callback_listener kFrameListener = {FrameDone};

SaverSurface* MakeSaverSurface(WaylandClient& client, Output* output) {
  SaverSurface* free = nullptr;
  for (SaverSurface& s : client.surfaces) {
    if (!s.inUse) {
      free = &s;
      break;
    }
  }
  if (free == nullptr) return nullptr;
  SaverSurface& s = *free;
  s = SaverSurface{};
  s.inUse = true;
  s.client = &client;
  s.output = output;
  s.eglSurface = EGL_NO_SURFACE;
  s.context = EGL_NO_CONTEXT;
  s.surface = wl_compositor_create_surface(client.compositor);
  wl_surface_add_listener(s.surface, &kSurfaceListener, &s);
  if (client.viewporter != nullptr) {
    s.viewport = wp_viewporter_get_viewport(client.viewporter, s.surface);
    if (client.fractionalScaleManager != nullptr) {
      s.fractionalScale = wp_fractional_scale_manager_v1_get_fractional_scale(
          client.fractionalScaleManager, s.surface);
      wp_fractional_scale_v1_add_listener(s.fractionalScale, &kFractionalScaleListener, &s);
    }
  }
  GiveRole(client, s);
  wl_surface_commit(s.surface);
  if (output != nullptr) output->surface = &s;
  return &s;
}

void DropSaverSurface(WaylandClient& client, SaverSurface& s) {
  if (s.created) {
    const WindowSystem windowSystem = SurfaceWindowSystem(s);
    RunReleaseSequenceAfterWindowLoss(s.state, windowSystem);
  }
  ForgetPointerSurface(client, s);
  if (s.frameCallback != nullptr) wl_callback_destroy(s.frameCallback);
  if (s.fractionalScale != nullptr) wp_fractional_scale_v1_destroy(s.fractionalScale);
  if (s.viewport != nullptr) wp_viewport_destroy(s.viewport);
  if (s.layerSurface != nullptr) zwlr_layer_surface_v1_destroy(s.layerSurface);
  DropDecorations(s);
  if (s.toplevel != nullptr) xdg_toplevel_destroy(s.toplevel);
  if (s.xdgSurface != nullptr) xdg_surface_destroy(s.xdgSurface);
  wl_surface_destroy(s.surface);
  if (s.output != nullptr && s.output->surface == &s) s.output->surface = nullptr;
  s = SaverSurface{};
}

void ReleaseSaverSurface(WaylandClient& client, SaverSurface& s) {
  if (s.created) {
    const WindowSystem windowSystem = SurfaceWindowSystem(s);
    windowSystem.makeCurrent(windowSystem.window, true);
    RunReleaseSequence(s.state, windowSystem);
    s.created = false;
  }
  DropSaverSurface(client, s);
}

void OutputChanged(WaylandClient& client, Output& output) {
  const std::uint32_t bit = 1u << (&output - client.outputs);
  for (SaverSurface& s : client.surfaces) {
    if (s.inUse && (s.output == &output || (s.enteredOutputs & bit) != 0)) MarkResized(s);
  }
}

bool UpdateSurfaces(WaylandClient& client) {
  for (SaverSurface& s : client.surfaces) {
    if (!s.inUse) continue;
    if (s.lost) {
      // Closed by the compositor: its output gets a new one when the output next changes.
      if (s.output != nullptr) s.output->surfaceClosed = true;
      DropSaverSurface(client, s);
      continue;
    }
    if (s.resizePending && s.pacing.configured && !ApplySize(client, s)) return false;
    if (s.cannotDraw) break;  // the saver ends: the others need not try
  }
  return true;
}

int DrawSurfaces(WaylandClient& client) {
  int drawn = 0;
  for (SaverSurface& s : client.surfaces) {
    if (!s.inUse || !s.created || s.lost || s.cannotDraw ||
        !surfaceMayDraw(s.pacing, s.buffer.size)) {
      continue;
    }
    const WindowSystem windowSystem = SurfaceWindowSystem(s);
    windowSystem.makeCurrent(windowSystem.window, true);
    RunFrame(s.state, windowSystem);
    ++drawn;
    if (s.cannotDraw) break;  // its frames cannot be shown: the saver ends
  }
  return drawn;
}
