// Test helper: an OSMesa context drawing into memory of a given size, current while the surface
// lives, and ways to read back what was drawn.
#pragma once

#include <GL/osmesa.h>

#include <cstdint>
#include <vector>

struct Rgb {
  int r, g, b;
};

class OsMesaSurface {
 public:
  // width x height pixels; sides below 1 give a 1 x 1 buffer (GL needs one pixel).
  OsMesaSurface(std::int32_t width, std::int32_t height);
  ~OsMesaSurface();
  OsMesaSurface(const OsMesaSurface&) = delete;
  OsMesaSurface& operator=(const OsMesaSurface&) = delete;

  bool current() const { return context_ != nullptr && made_current_; }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  // The pixel at (x, y), y from the bottom row, after glFinish.
  Rgb pixel(std::int32_t x, std::int32_t y) const;
  // All pixels, bottom row first, after glFinish.
  std::vector<Rgb> pixels() const;

 private:
  std::int32_t width_;
  std::int32_t height_;
  std::vector<std::uint8_t> buffer_;
  OSMesaContext context_;
  bool made_current_;
};
