#include "driver/surface_format.h"

FormatRenderer formatRendererOf(bool generic, bool accelerated) {
  if (generic) return accelerated ? FormatRenderer::AcceleratedSoftware : FormatRenderer::Software;
  return accelerated ? FormatRenderer::Unknown : FormatRenderer::Hardware;
}

std::uint32_t surfaceFormatScore(const SurfaceFormat& format, const SurfaceRequest& request) {
  const FormatRenderer renderer = format.renderer;
  std::uint32_t score = 0;

  // In strict precedence: OpenGL into a window, then depth, buffering and acceleration.
  if (format.openGl && format.window) score += 0x8000;
  if (request.depthBits == -1 || (request.depthBits > 0 && format.depthBits > 0)) {
    score += 0x4000;
  }
  if (request.doubleBuffer == -1 || (request.doubleBuffer == 0 && !format.doubleBuffered) ||
      (request.doubleBuffer == 1 && format.doubleBuffered)) {
    score += 0x2000;
  }
  if (request.acceleration == -1 ||
      (request.acceleration == 0 && renderer == FormatRenderer::Software) ||
      (request.acceleration == 1 &&
       (renderer == FormatRenderer::AcceleratedSoftware || renderer == FormatRenderer::Hardware))) {
    score += 0x1000;
  }
  if (renderer == FormatRenderer::AcceleratedSoftware) score += 0x40;
  if (renderer == FormatRenderer::Hardware) score += 0x42;

  // Then the colour and depth buffers, RGBA and bitmap support.
  if (request.colorBits == -1 || request.colorBits == format.colorBits) score += 0x800;
  if (format.colorBits >= 16) score += 0x20;
  if (format.channelBits == 0 ? format.colorBits == 16 : format.channelBits == 8) score += 8;
  if (format.channelBits > 8) score += 4;
  if (request.depthBits == -1 || request.depthBits == format.depthBits) score += 0x400;
  if (format.depthBits >= 16) score += 0x10;
  if (format.depthBits == 16) score += 4;
  if (!format.colorIndex) score += 0x80;
  if (format.bitmap) score += 1;
  return score;
}

int chooseSurfaceFormat(ListSurfaceFormat list, const void* source, const SurfaceRequest& request) {
  SurfaceFormat format{};
  const int count = list(source, 1, &format);
  std::uint32_t bestScore = 0;
  int bestIndex = 0;
  // Counted in 64 bits so that a source claiming INT_MAX formats cannot overflow the loop.
  for (std::int64_t index = 1; index <= count; ++index) {
    format = SurfaceFormat{};
    list(source, static_cast<int>(index), &format);
    const std::uint32_t score = surfaceFormatScore(format, request);
    if (score > bestScore) {
      bestScore = score;
      bestIndex = static_cast<int>(index);
    }
  }
  return bestIndex;
}
