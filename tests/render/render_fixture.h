// Test helper: an OSMesa context drawing into memory, made ready as the saver's creation leaves
// its context (the initial GL state and the glow textures); frames drawn as the saver draws them.
#pragma once

#include <GL/osmesa.h>

#include <cstdint>
#include <vector>

#include "render/gl11/glow_textures.h"
#include "sim/scene.h"

struct Rgb {
  int r, g, b;
};

class SaverSurface {
 public:
  // Sides below 1 get a 1 x 1 buffer (GL needs a pixel); GL is told the size asked for.
  SaverSurface(std::int32_t width, std::int32_t height);
  ~SaverSurface();
  SaverSurface(const SaverSurface&) = delete;
  SaverSurface& operator=(const SaverSurface&) = delete;

  // Makes the glow textures anew for a glow mode and a blur path (at first: HighQuality, GL),
  // with the calls the Windows saver makes or, trimmed, the Linux programs'.
  void useGlow(GlowMode glowMode, GlowBlurRequest request, bool trimmed = false);
  // Clear, additive blending, renderWithGlow, ordinary blending; then the pixels.
  std::vector<Rgb> frame(const Scene& scene);
  // Every pixel after glFinish, bottom row first.
  std::vector<Rgb> pixels() const;

  GlowTextures textures;

 private:
  std::int32_t requestedWidth_, requestedHeight_;
  std::int32_t width_, height_;
  std::vector<std::uint8_t> buffer_;
  OSMesaContext context_;
};

// How many pixels are not black.
int litCount(const std::vector<Rgb>& pixels);

// How many pixels of two pictures of the same size differ.
int differingPixels(const std::vector<Rgb>& a, const std::vector<Rgb>& b);
