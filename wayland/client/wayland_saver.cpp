// The Wayland saver's connection and loop: the globals it binds, the outputs as they come and
// go, and the loop that takes the compositor's events, adopts what they changed and draws each
// surface that may at every frame timer tick.
#include "wayland/client/wayland_saver.h"

#include <poll.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "driver/posix/frame_loop.h"
#include "driver/posix/linux_saver.h"

#include "wayland/client/wayland_client.h"

namespace {

std::uint32_t Lower(std::uint32_t offered, std::uint32_t known) {
  return offered < known ? offered : known;
}

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
        std::uint32_t version) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, version));
}

// Outputs --------------------------------------------------------------------------------------

Output& OutputOf(void* data) { return *static_cast<Output*>(data); }

void Geometry(void* data, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
              std::int32_t, const char*, const char*, std::int32_t transform) {
  OutputOf(data).facts.transform = transform;
}

void Mode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
          std::int32_t) {
  if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) OutputOf(data).facts.modeSize = {width, height};
}

// The output's description is complete: it gets its surface, or its surface a new size. A
// change after the compositor closed its surface gives it a new one.
void Done(void* data, wl_output*) {
  Output& output = OutputOf(data);
  output.described = true;
  output.surfaceClosed = false;
  OutputChanged(*output.client, output);
}

void Scale(void* data, wl_output*, std::int32_t factor) {
  OutputOf(data).facts.scale = factor < 1 ? 1 : factor;
}

void Name(void*, wl_output*, const char*) {}

void Description(void*, wl_output*, const char*) {}

const wl_output_listener kOutputListener = {Geometry, Mode, Done, Scale, Name, Description};

void LogicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y) {
  OutputOf(data).position = ScreenPoint{x, y};
}

void LogicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
  Output& output = OutputOf(data);
  output.facts.logicalKnown = width > 0 && height > 0;
  output.facts.logicalSize = ClientSize{width, height};
}

// Before version 3, xdg-output ends its own descriptions.
void XdgDone(void* data, zxdg_output_v1*) { Done(data, nullptr); }

void XdgName(void*, zxdg_output_v1*, const char*) {}

void XdgDescription(void*, zxdg_output_v1*, const char*) {}

const zxdg_output_v1_listener kXdgOutputListener = {LogicalPosition, LogicalSize, XdgDone, XdgName,
                                                    XdgDescription};

void WatchLogicalPlace(WaylandClient& client, Output& output) {
  if (client.xdgOutputManager == nullptr || output.xdgOutput != nullptr) return;
  output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(client.xdgOutputManager, output.output);
  zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutputListener, &output);
}

void AddOutput(WaylandClient& client, std::uint32_t name, std::uint32_t version) {
  for (Output& output : client.outputs) {
    if (output.inUse) continue;
    output = Output{};
    output.inUse = true;
    output.client = &client;
    output.globalName = name;
    output.version = Lower(version, 4);
    output.facts.scale = 1;
    output.output = Bind<wl_output>(client.registry, name, &wl_output_interface, output.version);
    wl_output_add_listener(output.output, &kOutputListener, &output);
    WatchLogicalPlace(client, output);
    return;
  }
  std::fprintf(stderr, "quellwire: more than %d outputs; the others stay uncovered\n", kMaxOutputs);
}

void DropOutput(WaylandClient& client, Output& output) {
  const int slot = static_cast<int>(&output - client.outputs);
  if (output.surface != nullptr) DropSaverSurface(client, *output.surface);
  for (SaverSurface& s : client.surfaces) {
    if (s.inUse && (s.enteredOutputs & (1u << slot)) != 0) {
      s.enteredOutputs &= ~(1u << slot);
      s.resizePending = true;
    }
  }
  if (output.xdgOutput != nullptr) zxdg_output_v1_destroy(output.xdgOutput);
  if (output.version >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
    wl_output_release(output.output);
  } else {
    wl_output_destroy(output.output);
  }
  output = Output{};
}

// Registry -------------------------------------------------------------------------------------

void Ping(void*, xdg_wm_base* wmBase, std::uint32_t serial) { xdg_wm_base_pong(wmBase, serial); }

const xdg_wm_base_listener kWmBaseListener = {Ping};

void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t version) {
  WaylandClient& client = *static_cast<WaylandClient*>(data);
  const auto is = [interface](const wl_interface& known) {
    return std::strcmp(interface, known.name) == 0;
  };
  if (is(wl_compositor_interface) && client.compositor == nullptr) {
    client.compositor =
        Bind<wl_compositor>(registry, name, &wl_compositor_interface, Lower(version, 4));
  } else if (is(xdg_wm_base_interface) && client.wmBase == nullptr) {
    client.wmBase = Bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, Lower(version, 5));
    xdg_wm_base_add_listener(client.wmBase, &kWmBaseListener, nullptr);
  } else if (is(zwlr_layer_shell_v1_interface) && client.layerShell == nullptr) {
    client.layerShellVersion = Lower(version, 4);
    client.layerShell = Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface,
                                                  client.layerShellVersion);
  } else if (is(wp_viewporter_interface) && client.viewporter == nullptr) {
    client.viewporter = Bind<wp_viewporter>(registry, name, &wp_viewporter_interface, 1);
  } else if (is(wp_fractional_scale_manager_v1_interface) &&
             client.fractionalScaleManager == nullptr) {
    client.fractionalScaleManager = Bind<wp_fractional_scale_manager_v1>(
        registry, name, &wp_fractional_scale_manager_v1_interface, 1);
  } else if (is(zxdg_output_manager_v1_interface) && client.xdgOutputManager == nullptr) {
    client.xdgOutputManager = Bind<zxdg_output_manager_v1>(
        registry, name, &zxdg_output_manager_v1_interface, Lower(version, 3));
    for (Output& output : client.outputs) {
      if (output.inUse) WatchLogicalPlace(client, output);
    }
  } else if (is(zxdg_decoration_manager_v1_interface) && client.decorationManager == nullptr) {
    client.decorationManager =
        Bind<zxdg_decoration_manager_v1>(registry, name, &zxdg_decoration_manager_v1_interface, 1);
  } else if (is(wl_output_interface)) {
    AddOutput(client, name, version);
  } else if (is(wl_seat_interface) && client.run.mode == WaylandMode::FullScreen) {
    BindSeat(client, name, version);
  }
}

// An output or a seat went away; its records are dropped after the events at hand.
void GlobalRemove(void* data, wl_registry*, std::uint32_t name) {
  WaylandClient& client = *static_cast<WaylandClient*>(data);
  for (Output& output : client.outputs) {
    if (output.inUse && output.globalName == name) output.removed = true;
  }
  for (Seat& seat : client.seats) {
    if (seat.inUse && seat.globalName == name) DropSeat(client, seat);
  }
}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

// The loop --------------------------------------------------------------------------------------

// What the last events changed, before anything is drawn: the seats' focus is judged (while the
// surfaces it names are still known), outputs gone lose their surfaces, closed surfaces are
// dropped, outputs without a surface get one, new sizes are adopted. False when a flock could not
// be built.
bool Settle(WaylandClient& client) {
  JudgeSeatFocus(client);
  for (Output& output : client.outputs) {
    if (output.inUse && output.removed) DropOutput(client, output);
  }
  if (roleCoversEachOutput(client.role)) {
    for (Output& output : client.outputs) {
      if (output.inUse && output.described && output.surface == nullptr && !output.surfaceClosed) {
        MakeSaverSurface(client, &output);
      }
    }
  }
  return UpdateSurfaces(client);
}

bool AnySurfaceMayDraw(const WaylandClient& client) {
  for (const SaverSurface& s : client.surfaces) {
    if (s.inUse && s.created && !s.cannotDraw && surfaceMayDraw(s.pacing, s.buffer.size)) {
      return true;
    }
  }
  return false;
}

bool AnySurfaceCannotDraw(const WaylandClient& client) {
  for (const SaverSurface& s : client.surfaces) {
    if (s.inUse && s.cannotDraw) return true;
  }
  return false;
}

// Sends what is queued, waits up to `waitMs` (-1: until something comes) for events or an
// ending signal, and dispatches the events. Requests the socket could not take yet are sent
// as soon as it can (the wait ends when it can). False when the connection is lost.
bool TakeEvents(wl_display* display, std::int32_t waitMs, FrameLoop& loop) {
  while (wl_display_prepare_read(display) != 0) {
    if (wl_display_dispatch_pending(display) < 0) return false;
  }
  const bool unsent = wl_display_flush(display) < 0;
  if (unsent && errno != EAGAIN) {
    wl_display_cancel_read(display);
    return false;
  }
  const short events = static_cast<short>(POLLIN | (unsent ? POLLOUT : 0));
  if ((FrameLoopWait(loop, wl_display_get_fd(display), events, waitMs) &
       (POLLIN | POLLHUP | POLLERR)) != 0) {
    if (wl_display_read_events(display) < 0) return false;
  } else {
    wl_display_cancel_read(display);
  }
  return wl_display_dispatch_pending(display) >= 0;
}

enum class LoopEnd { Done, ConnectionLost, ProtocolError, BuildFailed, CannotDraw };

LoopEnd RunLoop(WaylandClient& client, FrameLoop& loop) {
  FrameLimit limit{client.run.frameLimit, 0};
  std::int32_t waitMs = 0;
  for (;;) {
    if (!TakeEvents(client.display, waitMs, loop)) {
      return wl_display_get_error(client.display) == EPROTO ? LoopEnd::ProtocolError
                                                            : LoopEnd::ConnectionLost;
    }
    if (!Settle(client)) return LoopEnd::BuildFailed;
    if (AnySurfaceCannotDraw(client)) return LoopEnd::CannotDraw;
    if (client.ended || loop.endSignalled) return LoopEnd::Done;
    if (FrameLoopTakeTick(loop) && DrawSurfaces(client) > 0 && FrameLimitReached(limit)) {
      return LoopEnd::Done;
    }
    if (AnySurfaceCannotDraw(client)) return LoopEnd::CannotDraw;
    waitMs = AnySurfaceMayDraw(client) ? FrameLoopWaitMs(loop) : -1;
  }
}

void Disconnect(WaylandClient& client) {
  for (Seat& seat : client.seats) {
    if (seat.inUse) DropSeat(client, seat);
  }
  for (Output& output : client.outputs) {
    if (output.inUse) DropOutput(client, output);
  }
  CloseDecorations(client);
  if (client.xdgOutputManager != nullptr) zxdg_output_manager_v1_destroy(client.xdgOutputManager);
  if (client.fractionalScaleManager != nullptr) {
    wp_fractional_scale_manager_v1_destroy(client.fractionalScaleManager);
  }
  if (client.viewporter != nullptr) wp_viewporter_destroy(client.viewporter);
  if (client.layerShell != nullptr) {
    if (client.layerShellVersion >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION) {
      zwlr_layer_shell_v1_destroy(client.layerShell);
    } else {
      wl_proxy_destroy(reinterpret_cast<wl_proxy*>(client.layerShell));
    }
  }
  if (client.wmBase != nullptr) xdg_wm_base_destroy(client.wmBase);
  if (client.compositor != nullptr) wl_compositor_destroy(client.compositor);
  wl_registry_destroy(client.registry);
  wl_display_flush(client.display);
  wl_display_disconnect(client.display);
}

// Connects, learns the globals and the outputs, chooses the role and opens EGL; false (with a
// message, all undone) when the saver cannot run here.
bool Start(WaylandClient& client) {
  client.display = wl_display_connect(nullptr);
  if (client.display == nullptr) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    std::fprintf(stderr, "quellwire: cannot connect to the Wayland display \"%s\"\n",
                 name != nullptr ? name : "wayland-0");
    return false;
  }
  client.registry = wl_display_get_registry(client.display);
  wl_registry_add_listener(client.registry, &kRegistryListener, &client);
  // The globals, then what the outputs (and their xdg-output records) tell of themselves.
  if (wl_display_roundtrip(client.display) < 0 || wl_display_roundtrip(client.display) < 0) {
    std::fprintf(stderr,
                 "quellwire: the connection to the compositor failed as the saver started%s\n",
                 wl_display_get_error(client.display) == EPROTO ? " (protocol error)" : "");
    Disconnect(client);
    return false;
  }
  const ShellOffer offer{client.layerShell != nullptr, client.wmBase != nullptr};
  client.role = chooseSurfaceRole(client.run.mode, offer);
  if (client.role == SurfaceRole::None || client.compositor == nullptr) {
    std::fprintf(stderr, "quellwire: %s\n",
                 client.compositor == nullptr ? "the compositor offers no surfaces (wl_compositor)"
                                              : surfaceRoleRefusal(client.run.mode, offer));
    Disconnect(client);
    return false;
  }
  if (!OpenEgl(client)) {
    Disconnect(client);
    return false;
  }
  return true;
}

// After the loop: the surfaces released and the connection closed; the exit status.
int Finish(WaylandClient& client, LoopEnd end) {
  if (end == LoopEnd::ConnectionLost || end == LoopEnd::ProtocolError) {
    // What the surfaces drew on is gone with the connection: no GL call on it, nothing sent.
    for (SaverSurface& s : client.surfaces) {
      if (s.inUse && s.created) {
        const WindowSystem windowSystem = SurfaceWindowSystem(s);
        RunReleaseSequenceAfterWindowLoss(s.state, windowSystem);
      }
    }
    if (end == LoopEnd::ProtocolError) {
      std::fprintf(stderr, "quellwire: the compositor ended the connection (protocol error)\n");
      return 1;
    }
    return 0;
  }
  for (SaverSurface& s : client.surfaces) {
    if (s.inUse) ReleaseSaverSurface(client, s);
  }
  CloseEgl(client);
  Disconnect(client);
  if (end == LoopEnd::BuildFailed) return ReportNoFlock();
  if (end == LoopEnd::CannotDraw) {
    std::fprintf(stderr, "quellwire: nothing can be drawn on this display, so the saver ends\n");
    return 1;
  }
  return 0;
}

}  // namespace

int RunWaylandSaver(const WaylandRun& run) {
  FrameLoop loop;
  FrameLoopStart(loop);
  // The client's tables are large (a frame driver record per surface): taken once, here.
  std::unique_ptr<WaylandClient> owned(new (std::nothrow) WaylandClient{});
  if (owned == nullptr) {
    std::fprintf(stderr, "quellwire: no memory for the saver's surfaces\n");
    return 1;
  }
  WaylandClient& client = *owned;
  client.run = run;
  if (!Start(client)) {
    FrameLoopEnd(loop);
    return 1;
  }
  if (client.role == SurfaceRole::Toplevel) MakeSaverSurface(client, nullptr);
  const LoopEnd end = RunLoop(client, loop);
  FrameLoopEnd(loop);
  return Finish(client, end);
}
