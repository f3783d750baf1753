// The Wayland saver's records: the connection and its globals, the outputs, the drawing
// surfaces (each with its EGL surface, GL context and frame driver state) and the seats. All of
// them live in fixed tables made once: nothing is allocated while frames are drawn.
#pragma once

#include <cstdint>

#include <EGL/egl.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include "driver/frame_sequence.h"
#include "driver/posix/monotonic_clock.h"
#include "driver/wake_rule.h"
#include "wayland/client/wayland_saver.h"
#include "wayland/egl_choice.h"
#include "wayland/seat_input.h"
#include "wayland/surface_plan.h"

#include "fractional-scale-v1-client.h"
#include "viewporter-client.h"
// The layer-shell header names an argument `namespace`, which C++ keeps for itself.
#define namespace name_space
#include "wlr-layer-shell-unstable-v1-client.h"
#undef namespace
#include "xdg-decoration-unstable-v1-client.h"
#include "xdg-output-unstable-v1-client.h"
#include "xdg-shell-client.h"

struct libdecor;
struct libdecor_frame;

inline constexpr int kMaxOutputs = 16;
inline constexpr int kMaxSurfaces = kMaxOutputs;
inline constexpr int kMaxSeats = 4;

// What the compositor shows of the saver's surfaces: the window's title, and the name of the
// program its surfaces belong to (the layer surfaces' namespace).
inline constexpr const char* kWindowTitle = "Quellwire";
inline constexpr const char* kWindowAppId = "quellwire";

struct SaverSurface;
struct WaylandClient;

struct Output {
  bool inUse;
  WaylandClient* client;  // the client it belongs to (its listeners' way back)
  std::uint32_t globalName;
  wl_output* output;
  std::uint32_t version;
  zxdg_output_v1* xdgOutput;
  OutputFacts facts;
  ScreenPoint position;   // top left in the compositor's logical space (xdg-output)
  bool described;         // a first `done` has come: its size and scale are known
  SaverSurface* surface;  // its own surface, when the role has one per output
  bool surfaceClosed;     // the compositor closed it; a new one waits for the output to change
  bool removed;           // the global went away: dropped after the events at hand
};

struct SaverSurface {
  bool inUse;
  WaylandClient* client;  // the client it belongs to (its listeners' way back)
  Output* output;         // the output it covers; null for the window
  wl_surface* surface;
  zwlr_layer_surface_v1* layerSurface;
  xdg_surface* xdgSurface;
  xdg_toplevel* toplevel;
  zxdg_toplevel_decoration_v1* decoration;  // the window's, asked of the compositor
  libdecor_frame* frame;                    // or the window's, by libdecor (its own toplevel)
  wp_viewport* viewport;
  wp_fractional_scale_v1* fractionalScale;
  wl_callback* frameCallback;  // the last frame's, until the compositor shows it

  ClientSize configured;       // from the role's last configure
  ClientSize pendingToplevel;  // xdg_toplevel.configure, applied at xdg_surface.configure
  std::uint32_t preferredScale120;
  std::uint32_t enteredOutputs;  // bit per output slot (for the window's scale)
  SurfaceBuffer buffer;          // the size drawn at
  SurfacePacing pacing;
  bool resizePending;  // configured anew or rescaled: the size is worked out before drawing
  bool lost;           // closed by the compositor: dropped after the events at hand

  // Drawing: the EGL window and surface, the context, and the frame driver's record.
  wl_egl_window* eglWindow;
  EGLSurface eglSurface;
  EGLContext context;
  bool swapIntervalSet;
  SwapFailures failedSwaps;  // swaps failed in a row
  bool cannotDraw;           // no context or EGL surface, or its frames are never shown
  bool created;              // the creation sequence has run
  FrameDriverState state;
};

struct Seat {
  bool inUse;
  WaylandClient* client;  // the client it belongs to (its listeners' way back)
  std::uint32_t globalName;
  wl_seat* seat;
  wl_keyboard* keyboard;
  wl_pointer* pointer;
  wl_touch* touch;
  SaverSurface* pointerSurface;  // where the pointer is
  SeatFocus focus;               // where the keyboard and pointer focus are, by surface slot
};

// The connection's EGL: its display and the OpenGL its contexts are made with.
struct WaylandEgl {
  EGLDisplay display;   // EGL_NO_DISPLAY until OpenEgl, and after CloseEgl
  EglContextPlan plan;  // what OpenEgl found may be tried
  ContextApi api;       // the API of the contexts made, once apiSettled
  bool apiSettled;      // a context was made: later surfaces use its API alone
  bool software;        // the display draws on the processor (eglDrawsInSoftware)
};

struct WaylandClient {
  WaylandRun run;
  wl_display* display;
  wl_registry* registry;
  wl_compositor* compositor;
  xdg_wm_base* wmBase;
  zwlr_layer_shell_v1* layerShell;
  std::uint32_t layerShellVersion;
  wp_viewporter* viewporter;
  wp_fractional_scale_manager_v1* fractionalScaleManager;
  zxdg_output_manager_v1* xdgOutputManager;
  zxdg_decoration_manager_v1* decorationManager;
  libdecor* decorationLibrary;  // made for the first window it decorates

  SurfaceRole role;

  Output outputs[kMaxOutputs];
  SaverSurface surfaces[kMaxSurfaces];
  Seat seats[kMaxSeats];
  WakeWatch wake;
  WaylandEgl egl;

  bool ended;  // input woke the saver, or its window was closed
};

// EGL (egl_window_system.cpp) ---------------------------------------------------------------

// Opens EGL on the connection and settles which OpenGL its contexts may be made with
// (QUELLWIRE_GL, what EGL offers); false (with a message) when none.
bool OpenEgl(WaylandClient& client);
void CloseEgl(WaylandClient& client);

// The frame driver's window system for one surface.
WindowSystem SurfaceWindowSystem(SaverSurface& surface);

// Surfaces (saver_surfaces.cpp) ---------------------------------------------------------------

// A surface for the output in the chosen role (the window when `output` is null); null when the
// table is full.
SaverSurface* MakeSaverSurface(WaylandClient& client, Output* output);

// The surface goes for good: its drawing is released without a GL call (what it drew on may
// be gone), its flock given back, its protocol objects destroyed.
void DropSaverSurface(WaylandClient& client, SaverSurface& surface);

// The saver is done: the surface's drawing is released in order (its textures deleted in its
// context), then the surface dropped.
void ReleaseSaverSurface(WaylandClient& client, SaverSurface& surface);

// The output's scale or size changed: its surface, and the window where it is on it, draw at
// the new size and scale from the next frame.
void OutputChanged(WaylandClient& client, Output& output);

// Between the events at hand and the next frame: surfaces the compositor closed are dropped,
// and new sizes adopted (the first one makes the surface's flock). False when a flock could
// not be built.
bool UpdateSurfaces(WaylandClient& client);

// Hears when a surface's frame has been shown (the listener's data is the SaverSurface).
extern const wl_callback_listener kFrameListener;

// Draws, at a frame timer tick, every surface that may; the number drawn.
int DrawSurfaces(WaylandClient& client);

// Decorations (window_decorations.cpp, libdecor/decorated_frame.cpp) ----------------------------

// For the window where chooseWindowDecorations picks libdecor: its frame is made, which gives
// the surface its toplevel; false where it was not (the caller then makes the toplevel itself).
bool DecorateWithLibrary(WaylandClient& client, SaverSurface& surface);
// For the window's own toplevel where the compositor offers decorations: asks for them.
void AskServerDecorations(WaylandClient& client, SaverSurface& surface);
// Before the surface's toplevel goes.
void DropDecorations(SaverSurface& surface);
// Before the connection closes.
void CloseDecorations(WaylandClient& client);

// What libdecor's file gives (or its stand-in, where the program is built without libdecor).
extern const bool kDecorationLibraryBuilt;
bool MakeLibraryFrame(WaylandClient& client, SaverSurface& surface);
void DropLibraryFrame(SaverSurface& surface);
void CloseDecorationLibrary(WaylandClient& client);

// Input (wayland_input.cpp) -------------------------------------------------------------------

void BindSeat(WaylandClient& client, std::uint32_t name, std::uint32_t version);
void DropSeat(WaylandClient& client, Seat& seat);
// A surface goes: no seat may keep pointing at it, nor hold the focus on it.
void ForgetPointerSurface(WaylandClient& client, const SaverSurface& surface);
// Once the events at hand are taken, before a surface is dropped: whether a seat's focus went to
// another program, which ends the saver (client.ended).
void JudgeSeatFocus(WaylandClient& client);
