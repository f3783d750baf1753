// The choice of blur path, and the processor's blur worked by hand on a capture whose left
// column is lit: the taps, their clamping at the edges, the two passes' weights and saturation.
#include "render/software_blur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "render/glow_path.h"

namespace {

TEST(GlowBlurPath, RequestRendererAndChoice) {
  EXPECT_EQ(glowBlurRequestFromText(nullptr), GlowBlurRequest::Automatic);
  EXPECT_EQ(glowBlurRequestFromText("GL"), GlowBlurRequest::Gl);
  EXPECT_EQ(glowBlurRequestFromText("Cpu"), GlowBlurRequest::Software);
  for (const char* other : {"", "gpu", "cpu ", "software", "g"}) {
    EXPECT_EQ(glowBlurRequestFromText(other), GlowBlurRequest::Automatic) << other;
  }
  for (const char* software :
       {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Mesa DRI Software Rasterizer",
        "GDI Generic", "zink (LLVMPIPE (LLVM 15.0.6, 256 bits))",
        "ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero) (0x0000C0DE)), SwiftShader "
        "driver)",
        "ANGLE (Microsoft, Microsoft Basic Render Driver Direct3D11 vs_5_0 ps_5_0, D3D11)"}) {
    EXPECT_TRUE(isSoftwareRenderer(software)) << software;
  }
  for (const char* hardware : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "AMD Radeon RX 6600",
                               "NVIDIA GeForce GTX 1060/PCIe/SSE2", "llvm", ""}) {
    EXPECT_FALSE(isSoftwareRenderer(hardware)) << hardware;
  }
  EXPECT_FALSE(isSoftwareRenderer(nullptr));
  for (const bool software : {false, true}) {
    EXPECT_EQ(chooseGlowBlurPath(GlowBlurRequest::Gl, software), GlowBlurPath::Gl);
    EXPECT_EQ(chooseGlowBlurPath(GlowBlurRequest::Software, software), GlowBlurPath::Software);
    EXPECT_EQ(chooseGlowBlurPath(GlowBlurRequest::Automatic, software),
              software ? GlowBlurPath::Software : GlowBlurPath::Gl);
  }
}

// An 8 x 8 capture, black but for its left column at 200, with taps 1 to 4 texels apart.
SoftwareBlur blurOfLitColumn(const float offsets[8]) {
  SoftwareBlur blur{};
  EXPECT_TRUE(softwareBlurInit(blur, 8, 8));
  for (int y = 0; y < 8; ++y) {
    for (int channel = 0; channel < 4; ++channel) blur.capture[y * 32 + channel] = 200;
  }
  softwareBlurRun(blur, offsets, offsets);
  return blur;
}

TEST(SoftwareBlur, TapsClampAtTheEdgesAndTheSumsSaturate) {
  const float whole[8] = {1, -1, 2, -2, 3, -3, 4, -4};
  SoftwareBlur blur = blurOfLitColumn(whole);
  // Across, at x = 0: a fifth of 200, and the four taps to the left each clamped to half a
  // texel beyond the edge, half black: 40 + 4 x 20. At x = 1 to 4 one tap lands on the column.
  const std::vector<float> across(blur.across + 4 * 8, blur.across + 5 * 8);
  EXPECT_EQ(across, (std::vector<float>{120, 100, 80, 60, 40, 0, 0, 0}));
  // Down, on row 4: the row itself, seven taps on rows like it (a fifth each), and the tap four
  // rows up clamped at the top edge (a tenth); 300 saturates.
  const std::vector<std::uint8_t> halo(blur.halo + 4 * 8, blur.halo + 5 * 8);
  EXPECT_EQ(halo, (std::vector<std::uint8_t>{255, 250, 200, 150, 100, 0, 0, 0}));
  EXPECT_EQ(blur.haloSpans[4].lo, 0);
  EXPECT_EQ(blur.haloSpans[4].hi, 6);  // the reach of the taps: four texels and the one they read

  // The same buffers blurring the mirrored capture, and then a black one: each halo is what
  // the first blur of it gives, with nothing left of the one before.
  for (int y = 0; y < 8; ++y) {
    for (int channel = 0; channel < 4; ++channel) {
      blur.capture[y * 32 + channel] = 0;
      blur.capture[y * 32 + 28 + channel] = 200;
    }
  }
  softwareBlurRun(blur, whole, whole);
  const std::vector<std::uint8_t> mirrored(blur.halo + 4 * 8, blur.halo + 5 * 8);
  EXPECT_EQ(mirrored, (std::vector<std::uint8_t>{0, 0, 0, 100, 150, 200, 250, 255}));
  for (int i = 0; i < 8 * 32; ++i) blur.capture[i] = 0;
  softwareBlurRun(blur, whole, whole);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(blur.halo[i] + blur.across[i], 0) << i;
  EXPECT_EQ(blur.haloSpans[4].lo, blur.haloSpans[4].hi);
  softwareBlurRelease(blur);
  EXPECT_EQ(blur.capture, nullptr);

  // Offsets that are not numbers sample in place; huge ones sample the clamped edge. Neither
  // reads outside the square.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float wild[8] = {nan, -nan, 1e30f, -1e30f, 9.0f, -9.0f, 0.5f, -0.5f};
  blur = blurOfLitColumn(wild);
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(std::isfinite(blur.across[i]));
  softwareBlurRelease(blur);

  // Squares that cannot be blurred obtain nothing.
  EXPECT_FALSE(softwareBlurInit(blur, 0, 0));
  EXPECT_FALSE(softwareBlurInit(blur, 8, 16));
  EXPECT_FALSE(softwareBlurInit(blur, 8, 5));
  EXPECT_EQ(blur.capture, nullptr);
}

}  // namespace
