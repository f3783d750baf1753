#include "display/pixel_format.h"

namespace {

enum class FormatKind { GenericHardware, GenericSoftware, DriverFormat, Other };

FormatKind KindOf(std::uint32_t flags) {
  const bool generic = (flags & PFD_GENERIC_FORMAT) != 0;
  const bool accelerated = (flags & PFD_GENERIC_ACCELERATED) != 0;
  if (generic) return accelerated ? FormatKind::GenericHardware : FormatKind::GenericSoftware;
  return accelerated ? FormatKind::Other : FormatKind::DriverFormat;
}

bool HasAll(std::uint32_t flags, std::uint32_t wanted) { return (flags & wanted) == wanted; }

}  // namespace

std::uint32_t ScorePixelFormat(const PixelFormatDescription& format,
                               const PixelFormatRequest& request) {
  const FormatKind kind = KindOf(format.flags);
  const bool doubleBuffered = (format.flags & PFD_DOUBLEBUFFER) != 0;
  std::uint32_t score = 0;

  // In strict precedence: OpenGL into a window, then depth, buffering and acceleration.
  if (HasAll(format.flags, PFD_SUPPORT_OPENGL | PFD_DRAW_TO_WINDOW)) score += 0x8000;
  if (request.depthBits == -1 || (request.depthBits > 0 && format.depthBits > 0)) {
    score += 0x4000;
  }
  if (request.doubleBuffer == -1 || (request.doubleBuffer == 0 && !doubleBuffered) ||
      (request.doubleBuffer == 1 && doubleBuffered)) {
    score += 0x2000;
  }
  if (request.acceleration == -1 ||
      (request.acceleration == 0 && kind == FormatKind::GenericSoftware) ||
      (request.acceleration == 1 &&
       (kind == FormatKind::GenericHardware || kind == FormatKind::DriverFormat))) {
    score += 0x1000;
  }
  if (kind == FormatKind::GenericHardware) score += 0x40;
  if (kind == FormatKind::DriverFormat) score += 0x42;

  // Then the colour and depth buffers, RGBA and bitmap support.
  if (request.colorBits == -1 || request.colorBits == format.colorBits) score += 0x800;
  if (format.colorBits >= 16) score += 0x20;
  if (format.colorBits == 16) score += 8;
  if (request.depthBits == -1 || request.depthBits == format.depthBits) score += 0x400;
  if (format.depthBits >= 16) score += 0x10;
  if (format.depthBits == 16) score += 4;
  if (format.pixelType != PFD_TYPE_COLORINDEX) score += 0x80;
  if ((format.flags & PFD_DRAW_TO_BITMAP) != 0) score += 1;
  return score;
}

int ChooseScoredPixelFormat(DescribePixelFormatFunction describe, void* device,
                            std::int32_t colorBits, std::int32_t depthBits,
                            std::int32_t doubleBuffer, std::int32_t acceleration) {
  const PixelFormatRequest request{colorBits, depthBits, doubleBuffer, acceleration};
  PixelFormatDescription format{};
  const int count = describe(device, 1, &format);
  std::uint32_t bestScore = 0;
  int bestIndex = 0;
  // Counted in 64 bits so that a device claiming INT_MAX formats cannot overflow the loop.
  for (std::int64_t index = 1; index <= count; ++index) {
    format = PixelFormatDescription{};
    describe(device, static_cast<int>(index), &format);
    const std::uint32_t score = ScorePixelFormat(format, request);
    if (score > bestScore) {
      bestScore = score;
      bestIndex = static_cast<int>(index);
    }
  }
  return bestIndex;
}

int PixelFormatAfterSet(int current, int requested, int count) {
  if (current != 0) return current;
  return requested >= 1 && requested <= count ? requested : 0;
}
