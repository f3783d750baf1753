// How the Wayland saver asks EGL for its display. EGL is told the display is a Wayland one
// (eglGetPlatformDisplay with EGL_PLATFORM_WAYLAND_KHR) wherever its client extensions allow,
// rather than left to guess the kind of display from a bare pointer; an EGL without them gets
// the pointer through eglGetDisplay, as before they existed.
#pragma once

#include <cstdint>

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
