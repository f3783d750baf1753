// Test helper: a surface made ready as the saver's creation sequence leaves its context (the
// initial GL state and the glow textures), and one frame drawn as the saver's frame does it.
#pragma once

#include <cstdint>
#include <vector>

#include "render/glow_textures.h"
#include "sim/scene.h"
#include "tests/render/osmesa_surface.h"

struct SaverSurface {
  SaverSurface(std::int32_t width, std::int32_t height);
  ~SaverSurface();
  // Clear, additive blending, renderWithGlow, ordinary blending; then the pixels.
  std::vector<Rgb> frame(const Scene& scene);

  OsMesaSurface surface;
  GlowTextures textures;
};

// How many pixels are not black.
int litCount(const std::vector<Rgb>& pixels);

// How many pixels of two pictures of the same size differ.
int differingPixels(const std::vector<Rgb>& a, const std::vector<Rgb>& b);
