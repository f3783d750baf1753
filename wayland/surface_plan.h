// The Wayland saver's decisions about its surfaces: which role each takes for the mode and what
// the compositor offers, the size it is drawn at for its output's scale, and when it may draw.
#pragma once

#include <cstdint>

#include "driver/window_system.h"

// What the saver is on Wayland, named as the options name it.
enum class WaylandMode : std::uint8_t {
  FullScreen,  // -fullscreen: covers every output, ends on input
  Background,  // -background: under everything on every output, takes no input
  Window,      // -window: one ordinary window
};

enum class SurfaceRole : std::uint8_t {
  None,                // the compositor offers nothing this mode can use
  OverlayLayer,        // a layer-shell surface on the overlay layer of each output
  BackgroundLayer,     // a layer-shell surface on the background layer of each output
  FullscreenToplevel,  // a fullscreen xdg toplevel on each output (no layer-shell)
  Toplevel,            // one xdg toplevel
};

struct ShellOffer {
  bool layerShell;  // zwlr_layer_shell_v1
  bool xdgWmBase;   // xdg_wm_base
};

// The saver takes the overlay layer, or else a fullscreen toplevel on each output; the wallpaper
// only the background layer; the window a toplevel.
SurfaceRole chooseSurfaceRole(WaylandMode mode, ShellOffer offer);

// Why a mode cannot run on this compositor (for SurfaceRole::None).
const char* surfaceRoleRefusal(WaylandMode mode, ShellOffer offer);

// Whether the role has a surface of its own on every output.
bool roleCoversEachOutput(SurfaceRole role);

// What an output tells of its size and scale.
struct OutputFacts {
  ClientSize modeSize;     // the current mode, in the output's pixels
  std::int32_t transform;  // wl_output.transform: odd values turn it a quarter
  std::int32_t scale;      // wl_output.scale, at least 1
  bool logicalKnown;       // xdg-output told the logical size
  ClientSize logicalSize;  // for `logicalKnown`
};

// The output's size in surface coordinates: xdg-output's, or else the mode turned by the
// transform and divided by the scale (rounded up).
ClientSize outputLogicalSize(const OutputFacts& output);

// The toplevel window's size when the compositor leaves the choice to the client.
inline constexpr ClientSize kDefaultWindowSize{960, 540};

// A surface's size in surface coordinates from its role's configure event: a side the
// compositor leaves at 0 is the output's (layer surfaces, fullscreen toplevels) or the default
// window's.
ClientSize surfaceLogicalSize(SurfaceRole role, ClientSize configured, ClientSize outputLogical);

struct SurfaceScale {
  std::int32_t bufferScale;         // the integer scale of the output(s) the surface is on
  std::uint32_t preferredScale120;  // wp_fractional_scale_v1's scale in 120ths; 0 when none
  bool viewporter;                  // wp_viewporter is offered
};

// How a surface's pictures are made: at the logical size times the fractional scale (rounded
// half away from zero) with buffer scale 1 and a viewport back to the logical size, where the
// compositor tells a fractional scale, offers viewports and the logical size has both sides (a
// viewport's destination may not be 0); otherwise at the logical size times the integer buffer
// scale, which the surface is told.
struct SurfaceBuffer {
  ClientSize size;           // the picture's size in pixels: the frame driver's client size
  std::int32_t bufferScale;  // for wl_surface.set_buffer_scale
  bool viewport;             // set the viewport's destination to the logical size
};
SurfaceBuffer surfaceBuffer(ClientSize logical, SurfaceScale scale);

// The integer scale a surface is drawn at: that of the output it covers (`coveredScale`), or
// for the window (`coveredScale` 0) the largest of the outputs it is on: `entered` has a bit per
// output slot, `scales` each slot's scale. 1 when none is known. Every change of an output's
// scale is followed: the surfaces it concerns are sized again with this.
std::int32_t surfaceIntegerScale(std::int32_t coveredScale, std::uint32_t entered,
                                 const std::int32_t* scales, int slots);

// A surface draws at a frame timer tick when its role has been configured, the frame it last
// drew has been shown (its wl_surface.frame callback came: a hidden surface gets none, so it
// draws nothing and holds up no other) and it has pixels.
struct SurfacePacing {
  bool configured;
  bool frameOutstanding;  // drawn, callback not yet come
};
bool surfaceMayDraw(const SurfacePacing& pacing, ClientSize bufferSize);

// After a frame's swap at `nowMs` (wrapping milliseconds). A frame EGL failed to show will bring
// no frame callback: the surface waits for none and tries again at the next tick, so that a
// failure does not freeze it for good. Failures one after the other for kSwapFailingMsToGiveUp,
// kSwapFailuresToGiveUp of them at least, mean it cannot be shown at all: the saver gives up
// (ends with 1) rather than run on unseen. Both, since frames come slowly on a busy machine and
// quickly while the compositor is briefly not ready.
inline constexpr std::uint32_t kSwapFailuresToGiveUp = 20;
inline constexpr std::uint32_t kSwapFailingMsToGiveUp = 5000;
struct SwapFailures {
  std::uint32_t count;    // failures in a row, the last swap's included
  std::uint32_t firstMs;  // when the first of them came
};
struct SwapOutcome {
  bool frameOutstanding;  // wait for the frame callback
  SwapFailures failures;
  bool givesUp;
};
SwapOutcome surfaceSwapOutcome(bool swapped, SwapFailures before, std::uint32_t nowMs);
