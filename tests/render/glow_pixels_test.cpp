// What the frame shows, read back from OSMesa: the colour of the wires in each glow mode, the
// halo and its tint, the mirrored copies, and an image copied from the framebuffer coming back
// upright.
#include <gtest/gtest.h>

#include <cstdlib>

#include "render/gl_api.h"
#include "render/wire_drawing.h"
#include "tests/render/render_fixture.h"
#include "tests/render/test_scenes.h"

namespace {

constexpr std::int32_t kWidth = 256;
constexpr std::int32_t kHeight = 192;
constexpr Vec3 kWhite{1.0f, 1.0f, 1.0f};
constexpr Vec3 kRuby{1.0f, 0.28f, 0.28f};

class GlowPixels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { flock_ = buildFlock(kWidth, kHeight, 2, 4, 0, 6); }
  static void TearDownTestSuite() { sceneRelease(flock_); }

  // The flock drawn in the given mode and colour.
  std::vector<Rgb> frame(std::uint8_t glowMode, Vec3 color) {
    Scene scene = flock_;
    scene.glowMode = glowMode;
    scene.color = color;
    return saver_.frame(scene);
  }

  static Scene flock_;
  SaverSurface saver_{kWidth, kHeight};
};

Scene GlowPixels::flock_{};

TEST_F(GlowPixels, WithoutGlowTheWiresShowOnlyTheSceneHue) {
  const std::vector<Rgb> pixels = frame(0, kRuby);
  EXPECT_GT(litCount(pixels), 500);
  for (const Rgb& p : pixels) {
    ASSERT_EQ(p.g, p.b);
    ASSERT_LE(p.g, p.r);
    if (p.r > 40 && p.r < 255) {
      ASSERT_GE(p.g * 100, p.r * 20) << p.r << " " << p.g;
      ASSERT_LE(p.g * 100, p.r * 36) << p.r << " " << p.g;
    }
  }
}

// The halo adds only the tint: against the white wires alone, a blue tint changes only the blue
// channel, and lights pixels beside the wires that the wires alone leave black.
TEST_F(GlowPixels, HaloModesAddATintedHaloAroundTheWires) {
  const std::vector<Rgb> wires = frame(0, kWhite);
  for (std::uint8_t mode : {1, 2}) {
    SCOPED_TRACE(static_cast<int>(mode));
    const std::vector<Rgb> glow = frame(mode, Vec3{0.0f, 0.0f, 1.0f});
    int haloOnly = 0;
    for (std::size_t i = 0; i < glow.size(); ++i) {
      ASSERT_EQ(glow[i].r, wires[i].r);
      ASSERT_EQ(glow[i].g, wires[i].g);
      ASSERT_GE(glow[i].b, wires[i].b);
      if (wires[i].b == 0 && glow[i].b > 0) ++haloOnly;
    }
    EXPECT_GT(haloOnly, litCount(wires) / 4);
  }
}

TEST_F(GlowPixels, WhiteWiresAloneWithoutHaloModeOrWithABlackTint) {
  const std::vector<Rgb> wires = frame(0, kWhite);
  EXPECT_GT(litCount(wires), 500);
  EXPECT_EQ(differingPixels(frame(3, kRuby), wires), 0);
  EXPECT_EQ(differingPixels(frame(1, Vec3{0.0f, 0.0f, 0.0f}), wires), 0);
  EXPECT_EQ(differingPixels(frame(2, Vec3{0.0f, 0.0f, 0.0f}), wires), 0);
}

TEST(GlowPixelsOfHandLaidTrails, InactiveAndEmptyTrailsDrawNothingInAnyMode) {
  SaverSurface saver(kWidth, kHeight);
  for (std::uint8_t mode = 0; mode <= 3; ++mode) {
    HandLaidScene laid(kWidth, kHeight, mode, kRuby);
    laid.addTrail({{{0.3f, 0.5f, 0.5f}, 0}, {{0.5f, 0.5f, 0.5f}, 0}, {{0.7f, 0.5f, 0.5f}, 0}},
                  Vec3{0.8f, 0.5f, 0.5f}, 0);
    laid.addTrail({}, Vec3{0.5f, 0.5f, 0.5f}, 1);
    EXPECT_EQ(litCount(saver.frame(laid.scene())), 0) << static_cast<int>(mode);
  }
}

// With the cube unturned, the eight copies mirror the picture about both of its middle lines.
// Lines rasterised from opposite ends may differ in a few edge pixels, so a few may disagree.
TEST(GlowPixelsOfMirroredCopies, UnturnedSymmetricFlockIsMirroredBothWays) {
  Scene flock = buildFlock(kWidth, kHeight, 0, 0, 1, 6);
  flock.angleX = flock.angleY = flock.angleZ = 0.0f;
  SaverSurface saver(kWidth, kHeight);
  const std::vector<Rgb> pixels = saver.frame(flock);
  const int lit = litCount(pixels);
  EXPECT_GT(lit, 500);
  int leftRight = 0;
  int topBottom = 0;
  auto at = [&](std::int32_t x, std::int32_t y) { return pixels[y * kWidth + x].g; };
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      leftRight += std::abs(at(x, y) - at(kWidth - 1 - x, y)) > 48 ? 1 : 0;
      topBottom += std::abs(at(x, y) - at(x, kHeight - 1 - y)) > 48 ? 1 : 0;
    }
  }
  EXPECT_LT(leftRight, lit / 20);
  EXPECT_LT(topBottom, lit / 20);
  sceneRelease(flock);
}

// A mark in the lower-left corner, copied into a texture and drawn back over the viewport with
// the glow pass's projection, lands where it was.
TEST(TexturedQuad, FramebufferCopyComesBackUpright) {
  SaverSurface saver(64, 64);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 16, 8);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 64, 64, 0);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);

  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0.0, 1.0, 1.0, 0.0, 0.1, 100.0);
  glBegin(GL_QUADS);
  drawTexturedQuad(1.0f, 1.0f, 0.0f, 0.0f);
  glEnd();
  const std::vector<Rgb> pixels = saver.pixels();
  EXPECT_EQ(pixels[2 * 64 + 3].r, 255);
  EXPECT_EQ(pixels[6 * 64 + 14].r, 255);
  EXPECT_EQ(pixels[60 * 64 + 3].r, 0);
  EXPECT_EQ(pixels[2 * 64 + 60].r, 0);
  glDeleteTextures(1, &texture);
}

}  // namespace
