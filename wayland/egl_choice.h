// How the Wayland saver asks EGL for its display. EGL is told the display is a Wayland one
// (eglGetPlatformDisplay with EGL_PLATFORM_WAYLAND_KHR) wherever its client extensions allow,
// rather than left to guess the kind of display from a bare pointer; an EGL without them gets
// the pointer through eglGetDisplay, as before they existed.
#pragma once

#include <cstdint>

#include "driver/renderer.h"

enum class EglDisplayCall : std::uint8_t {
  Platform,     // eglGetPlatformDisplay (EGL 1.5)
  PlatformExt,  // eglGetPlatformDisplayEXT (EGL_EXT_platform_base)
  Native,       // eglGetDisplay
};

// Whether a space-separated EGL extension list (null: none) names the extension: whole names
// only, so that one name never passes for another it begins or ends.
bool eglExtensionListed(const char* extensions, const char* name);

// The call for a Wayland display, from eglQueryString(EGL_NO_DISPLAY, ...): the client
// extensions and the client version (either null where EGL cannot tell them). Either
// EGL_KHR_platform_wayland or EGL_EXT_platform_wayland names the platform; the core call needs
// EGL 1.5, the EXT one EGL_EXT_platform_base.
EglDisplayCall chooseEglDisplayCall(const char* clientExtensions, const char* clientVersion);

// Which OpenGL the saver's contexts are made with. QUELLWIRE_GL=gl asks for desktop OpenGL only,
// =es for OpenGL ES 3 only; anything else (or nothing) for desktop OpenGL where it can be had,
// else ES 3, which the ES renderer draws in.
inline constexpr const char* kGlApiVariable = "QUELLWIRE_GL";

// What the EGL display offers: its client APIs (EGL_CLIENT_APIS: "OpenGL", "OpenGL_ES") and
// whether any opaque window configuration renders with each.
struct EglApiOffer {
  const char* clientApis;  // null where EGL cannot tell
  bool desktopConfigs;     // a configuration with EGL_OPENGL_BIT
  bool es3Configs;         // a configuration with EGL_OPENGL_ES3_BIT
};

// The APIs to try, in order: the next one is tried only where a context of the one before could
// not be made. No attempt at all where the variable asks for an API EGL does not offer.
struct EglContextPlan {
  ContextApi attempts[2];
  int count;
};

EglContextPlan chooseEglContextPlan(const char* glVariable, const EglApiOffer& offer);

// Whether the EGL display draws on the processor, told before any surface or context is made:
// by the driver's name (EGL_MESA_query_driver: Mesa's "swrast" and "kms_swrast", llvmpipe or
// softpipe behind them) or by its device's extensions (EGL_EXT_device_query), where Mesa lists
// EGL_MESA_device_software. Either may be null where EGL cannot tell; telling neither, the
// display counts as a graphics card.
bool eglDrawsInSoftware(const char* driverName, const char* deviceExtensions);

// The multisample count a surface's configuration must have, from the counts (EGL_SAMPLES) of
// the configurations fit for the API. ES has no smooth lines, so on a graphics card an ES
// context takes the smallest count above 1 offered (at most 4: more smooths little more), and
// 0 (single-sampled) where none is. A software renderer shades and stores every sample and
// resolves the picture at each swap, which costs it more than the whole GL 1.1 frame saves:
// there ES stays single-sampled and lights its lines by their length instead. Desktop contexts
// smooth their lines themselves and stay single-sampled, as they always were.
int chooseEglSamples(ContextApi api, bool software, const int* sampleCounts, int count);
