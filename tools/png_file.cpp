#include "tools/png_file.h"

#include <png.h>

#include <cstring>

bool pngWriteBottomUpRgba(const char* path, const std::uint8_t* rgba, std::int32_t width,
                          std::int32_t height, std::vector<std::uint8_t>& rows) {
  if (width <= 0 || height <= 0) return false;
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t h = static_cast<std::size_t>(height);
  rows.resize(w * h * 3);
  for (std::size_t i = 0; i < w * h; ++i) std::memcpy(&rows[i * 3], &rgba[i * 4], 3);

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  // A negative stride tells libpng that the buffer holds the bottom row first.
  const png_int_32 stride = -static_cast<png_int_32>(w * 3);
  const int written = png_image_write_to_file(&image, path, 0, rows.data(), stride, nullptr);
  png_image_free(&image);
  return written != 0;
}
