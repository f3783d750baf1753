// The two places the halo can be blurred give the same picture: seeded flocks drawn with the
// blur done by GL and by the processor differ by at most 2 levels in any channel, in both glow
// modes with a halo, at a large and a common screen size and at the size of a preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "render/glow_textures.h"
#include "sim/scene.h"
#include "tests/render/render_fixture.h"
#include "tests/render/test_scenes.h"

namespace {

TEST(BlurPaths, SoftwareFrameWithinTwoLevelsOfGl) {
  struct Size {
    std::int32_t width, height;
  };
  for (const Size size : {Size{1920, 1080}, Size{1024, 768}, Size{152, 112}}) {
    SaverSurface saver(size.width, size.height);
    for (const std::uint8_t mode : {1, 2}) {
      SCOPED_TRACE(testing::Message() << size.width << "x" << size.height << " mode " << int{mode});
      Scene scene = buildFlock(size.width, size.height, mode, 6, 0, 12, 77);
      saver.useGlow(mode, GlowBlurRequest::Gl);
      const std::vector<Rgb> gl = saver.frame(scene);
      saver.useGlow(mode, GlowBlurRequest::Software);
      ASSERT_EQ(saver.textures.path, GlowBlurPath::Software);
      const std::vector<Rgb> software = saver.frame(scene);
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
                  size.width, size.height, mode, largest, total / channels,
                  100.0 * differing / channels);
      EXPECT_LE(largest, 2);
      EXPECT_GT(litCount(gl), 0);
    }
  }
}

}  // namespace
