// The two places the halo can be blurred give the same picture: seeded flocks drawn with the
// blur done by GL and by the processor differ by at most 2 levels in any channel, in both glow
// modes with a halo, at large, common, tall and preview sizes; and the processor's path with its
// calls trimmed to the halo's lit part (the Linux programs') gives its picture byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "render/gl11/gl_api.h"
#include "render/gl11/glow_pass.h"
#include "render/gl11/glow_textures.h"
#include "sim/scene.h"
#include "sim/storage.h"
#include "tests/render/render_fixture.h"
#include "tests/render/test_scenes.h"

// The test is linked with glReadPixels wrapped: while this is set, read-backs fail as GL fails
// them, with an error and nothing read.
namespace {
bool failReadBack = false;
}  // namespace

extern "C" void __real_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                                    GLenum type, void* pixels);
extern "C" void __wrap_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                                    GLenum type, void* pixels) {
  __real_glReadPixels(x, y, width, height, failReadBack ? GL_NONE : format, type, pixels);
}

namespace {

TEST(BlurPaths, SoftwareFrameWithinTwoLevelsOfGl) {
  struct Size {
    std::int32_t width, height;
  };
  for (const Size size : {Size{1920, 1080}, Size{1024, 768}, Size{600, 1000}, Size{152, 112}}) {
    SaverSurface saver(size.width, size.height);
    for (const GlowMode mode : {GlowMode::LowQuality, GlowMode::HighQuality}) {
      SCOPED_TRACE(testing::Message()
                   << size.width << "x" << size.height << " mode " << static_cast<int>(mode));
      Scene scene = buildFlock(size.width, size.height, mode, ColorScheme::Cycle, 0, 12, 77);
      saver.useGlow(mode, GlowBlurRequest::Gl);
      const std::vector<Rgb> gl = saver.frame(scene);
      saver.useGlow(mode, GlowBlurRequest::Software);
      ASSERT_EQ(saver.textures.path, GlowBlurPath::Software);
      const std::vector<Rgb> software = saver.frame(scene);
      saver.useGlow(mode, GlowBlurRequest::Software, true);
      ASSERT_TRUE(saver.textures.trimmed);
      EXPECT_EQ(differingPixels(saver.frame(scene), software), 0);
      sceneRelease(scene);

      int largest = 0;
      long total = 0;
      long differing = 0;
      for (std::size_t i = 0; i < gl.size(); ++i) {
        const int d[3] = {std::abs(gl[i].r - software[i].r), std::abs(gl[i].g - software[i].g),
                          std::abs(gl[i].b - software[i].b)};
        for (const int channel : d) {
          largest = std::max(largest, channel);
          total += channel;
          differing += channel != 0 ? 1 : 0;
        }
      }
      const double channels = 3.0 * static_cast<double>(gl.size());
      std::printf("%dx%d mode %d: largest %d, mean %.4f, differing %.3f%% of channels\n",
                  size.width, size.height, static_cast<int>(mode), largest, total / channels,
                  100.0 * differing / channels);
      EXPECT_LE(largest, 2);
      EXPECT_GT(litCount(gl), 0);
    }
  }
}

}  // namespace

namespace {

void* noStorage(std::size_t, std::size_t) { return nullptr; }

// The processor's blur is only taken with its buffers and while the capture can be read back;
// otherwise the frame is the GL path's, pixel for pixel.
TEST(BlurPaths, GlBlursWhenTheSoftwarePathCannot) {
  SaverSurface saver(320, 200);
  Scene scene = buildFlock(320, 200, GlowMode::HighQuality, ColorScheme::Cycle, 0, 12, 5);
  saver.useGlow(GlowMode::HighQuality, GlowBlurRequest::Gl);
  const std::vector<Rgb> gl = saver.frame(scene);

  for (const GlowMode withoutHalo : {GlowMode::None, GlowMode::WiresOnly}) {
    saver.useGlow(withoutHalo, GlowBlurRequest::Software);
    EXPECT_EQ(saver.textures.path, GlowBlurPath::Gl);
    EXPECT_EQ(saver.textures.software.capture, nullptr);
  }

  storageSetAllocator(noStorage, nullptr);
  saver.useGlow(GlowMode::HighQuality, GlowBlurRequest::Software);
  storageSetAllocator(nullptr, nullptr);
  EXPECT_EQ(saver.textures.path, GlowBlurPath::Gl);
  EXPECT_EQ(differingPixels(saver.frame(scene), gl), 0);

  saver.useGlow(GlowMode::HighQuality, GlowBlurRequest::Software);
  ASSERT_EQ(saver.textures.path, GlowBlurPath::Software);
  failReadBack = true;
  const std::vector<Rgb> afterFailure = saver.frame(scene);
  failReadBack = false;
  EXPECT_EQ(saver.textures.path, GlowBlurPath::Gl);
  EXPECT_EQ(saver.textures.software.capture, nullptr);
  EXPECT_EQ(differingPixels(afterFailure, gl), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  sceneRelease(scene);
}

}  // namespace
