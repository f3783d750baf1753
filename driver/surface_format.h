// Choosing the format a window is drawn with: every window system lists the formats it offers as
// neutral records, and one fixed score picks among them.
#pragma once

#include <cstdint>

// Who renders with a format: the graphics driver, a software rasteriser, a software
// implementation that hands part of its work to the hardware, or nobody says.
enum class FormatRenderer : std::uint8_t {
  Hardware = 0,  // also what a format that could not be described reads as
  Software,
  AcceleratedSoftware,
  Unknown,
};

// Who renders with a format, from the two answers a pixel format of the system's own OpenGL
// gives: whether it is the generic implementation, and whether that hands work to the hardware.
// The generic implementation renders in software unless it says it is accelerated; a format
// flagged accelerated without being generic is of no known kind.
FormatRenderer formatRendererOf(bool generic, bool accelerated);

// One drawing-surface format, by the properties the score reads. A record left zeroed (a format
// that could not be described) is an RGBA hardware format without OpenGL, buffers or depth.
struct SurfaceFormat {
  bool openGl;          // OpenGL can draw with it
  bool window;          // it draws into a window
  bool bitmap;          // it draws into a bitmap in memory
  bool doubleBuffered;  // a back buffer, shown by a swap
  bool colorIndex;      // colour-index pixels; RGBA when false
  FormatRenderer renderer;
  std::uint8_t colorBits;  // red, green and blue together, alpha left out
  std::uint8_t depthBits;
  // The fewest bits of red, green or blue, where the system names each channel's size (EGL,
  // GLX); 0 where it gives only their sum (the Windows pixel formats).
  std::uint8_t channelBits = 0;
};

// What the caller asks for; -1 in any field means any value.
struct SurfaceRequest {
  std::int32_t colorBits;     // an exact colour bit count
  std::int32_t depthBits;     // a depth bit count, 0 or more
  std::int32_t doubleBuffer;  // 0 single, 1 double
  std::int32_t acceleration;  // 0 software, 1 hardware
};

// What the saver draws with: any colour and depth, double-buffered, accelerated.
inline constexpr SurfaceRequest kSaverSurfaceRequest{-1, -1, 1, 1};

// The weighted score of one format against a request; higher is better, 0 is the least. Among
// formats otherwise alike, a Windows pixel format of exactly 16 colour bits is preferred, as the
// system's own chooser does; a format whose channels are sized is preferred with 8 bits in each
// (true colour rather than 5-6-5), then with more (10 bits a channel, which compositors take with
// less care than 8).
std::uint32_t surfaceFormatScore(const SurfaceFormat& format, const SurfaceRequest& request);

// Describes format `index` (1-based) of `source` into `format` and returns how many formats the
// source offers, 0 when it offers none or cannot be asked. A format it cannot describe is left
// as it was given (zeroed).
using ListSurfaceFormat = int (*)(const void* source, int index, SurfaceFormat* format);

// The 1-based index of the best-scoring format the source offers; among equal scores the lower
// index. The source is asked once for its count (index 1), then for every index in order, each
// into a zeroed record. 0 when it offers no formats or none scores above 0.
int chooseSurfaceFormat(ListSurfaceFormat list, const void* source, const SurfaceRequest& request);
