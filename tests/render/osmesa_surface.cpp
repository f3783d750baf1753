#include "tests/render/osmesa_surface.h"

#include <GL/gl.h>

OsMesaSurface::OsMesaSurface(std::int32_t width, std::int32_t height)
    : width_(width > 1 ? width : 1),
      height_(height > 1 ? height : 1),
      buffer_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0),
      context_(OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr)),
      made_current_(false) {
  if (context_ != nullptr) {
    made_current_ = OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, width_,
                                      height_) != 0;
  }
}

OsMesaSurface::~OsMesaSurface() {
  if (context_ != nullptr) {
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(context_);
  }
}

Rgb OsMesaSurface::pixel(std::int32_t x, std::int32_t y) const {
  const std::uint8_t* p = &buffer_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  return Rgb{p[0], p[1], p[2]};
}

std::vector<Rgb> OsMesaSurface::pixels() const {
  glFinish();
  std::vector<Rgb> all;
  all.reserve(static_cast<std::size_t>(width_) * height_);
  for (std::int32_t y = 0; y < height_; ++y) {
    for (std::int32_t x = 0; x < width_; ++x) all.push_back(pixel(x, y));
  }
  return all;
}
