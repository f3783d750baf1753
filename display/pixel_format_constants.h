// The pixel-format flags and pixel types that the format scoring reads, under the system's own
// names and with the system's values. On Windows they come from windows.h and are checked here
// against the values the scoring was written for.
#pragma once

#include <cstdint>

#define QW_PIXEL_FORMAT_FLAGS(X)    \
  X(PFD_DOUBLEBUFFER, 0x00000001)   \
  X(PFD_DRAW_TO_WINDOW, 0x00000004) \
  X(PFD_DRAW_TO_BITMAP, 0x00000008) \
  X(PFD_SUPPORT_OPENGL, 0x00000020) \
  X(PFD_GENERIC_FORMAT, 0x00000040) \
  X(PFD_GENERIC_ACCELERATED, 0x00001000)

#define QW_PIXEL_TYPES(X) \
  X(PFD_TYPE_RGBA, 0)     \
  X(PFD_TYPE_COLORINDEX, 1)

#ifdef _WIN32
#include <windows.h>
#define QW_CHECK_SYSTEM_VALUE(name, value) static_assert((name) == (value), #name);
QW_PIXEL_FORMAT_FLAGS(QW_CHECK_SYSTEM_VALUE)
QW_PIXEL_TYPES(QW_CHECK_SYSTEM_VALUE)
#undef QW_CHECK_SYSTEM_VALUE
#else
#define QW_DEFINE_FLAG(name, value) inline constexpr std::uint32_t name = value;
#define QW_DEFINE_TYPE(name, value) inline constexpr std::uint8_t name = value;
QW_PIXEL_FORMAT_FLAGS(QW_DEFINE_FLAG)
QW_PIXEL_TYPES(QW_DEFINE_TYPE)
#undef QW_DEFINE_FLAG
#undef QW_DEFINE_TYPE
#endif

#undef QW_PIXEL_FORMAT_FLAGS
#undef QW_PIXEL_TYPES
