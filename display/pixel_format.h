// Choosing the pixel format of the saver window by a fixed score over what the device offers.
#pragma once

#include <cstdint>

#include "display/pixel_format_constants.h"

// The properties of one pixel format that the score reads: the descriptor's dwFlags,
// iPixelType, cColorBits and cDepthBits. A format that could not be described is all zero.
struct PixelFormatDescription {
  std::uint32_t flags;
  std::uint8_t pixelType;
  std::uint8_t colorBits;
  std::uint8_t depthBits;
};

// What the caller asks for; -1 in any field means any value.
struct PixelFormatRequest {
  std::int32_t colorBits;     // an exact colour bit count
  std::int32_t depthBits;     // a depth bit count, 0 or more
  std::int32_t doubleBuffer;  // 0 single, 1 double
  std::int32_t acceleration;  // 0 generic software, 1 hardware
};

// The request the GL context is made with: any colour and depth, double-buffered, accelerated.
inline constexpr PixelFormatRequest RenderContextRequest{-1, -1, 1, 1};

// The descriptor handed over when the chosen format is set: double-buffered OpenGL, RGBA,
// 16 colour bits. The format itself is the chosen index, not this description.
inline constexpr PixelFormatDescription RenderContextDescriptor{
    PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL, PFD_TYPE_RGBA, 16, 0};

// The weighted score of one format against a request; higher is better, 0 is the least.
std::uint32_t ScorePixelFormat(const PixelFormatDescription& format,
                               const PixelFormatRequest& request);

// Describes format `index` (1-based) of a device into `format` and returns the number of
// formats the device offers, 0 when it offers none or cannot be asked.
using DescribePixelFormatFunction = int (*)(void* device, int index,
                                            PixelFormatDescription* format);

// The 1-based index of the best-scoring format the device offers; among equal scores the lower
// index. 0 when the device offers no formats or none scores above 0.
int ChooseScoredPixelFormat(DescribePixelFormatFunction describe, void* device,
                            std::int32_t colorBits, std::int32_t depthBits,
                            std::int32_t doubleBuffer, std::int32_t acceleration);

// A window's format is set once and for good, as on Windows: the format a window has after
// asking for `requested` (1-based) when it has `current` (0 when none yet) and its device
// offers `count` formats. A request out of range sets nothing.
int PixelFormatAfterSet(int current, int requested, int count);
