// How the X11 back end learns that the window it draws in is gone. Anyone may destroy that window
// at any moment: the user, a window manager, xscreensaver, or the program that gave it. The event
// loop hears of it through DestroyNotify between frames; during a frame, the first sign is an X
// error for a request on the window, and the GL driver may have made that request itself (its
// query of the drawable's size). Such an error must end the saver at once: returning from the
// error handler would hand the driver a failed request's undefined answer.
#pragma once

#include <cstdint>

// The X protocol's error codes that name a missing resource, and GLX's offsets of its own from
// the extension's first error code.
inline constexpr int kXBadWindow = 3;
inline constexpr int kXBadDrawable = 9;
inline constexpr int kGlxBadDrawableOffset = 2;
inline constexpr int kGlxBadCurrentWindowOffset = 5;
inline constexpr int kGlxBadCurrentDrawableOffset = 11;
inline constexpr int kGlxBadWindowOffset = 12;

// What an X error report says, in plain values.
struct XErrorFacts {
  int errorCode;
  std::uint64_t resourceId;
};

// Whether the error shows that `window` no longer exists: a missing-window or missing-drawable
// error (of the core protocol, or of GLX when `glxErrorBase` is not negative) about that very
// window. Window 0 (none watched yet) is never gone.
bool xErrorShowsWindowGone(const XErrorFacts& error, std::uint64_t window, int glxErrorBase);
