#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "driver/frame_sequence.h"
#include "driver/headless/osmesa_window_system.h"
#include "render/es/es_renderer.h"
#include "render/gl11/glow_pass.h"
#include "settings/stored_settings.h"
#include "sim/scene_build.h"
#include "tests/support/own_allocation_counter.h"
#include "tests/render/render_fixture.h"
#include "tests/render/test_scenes.h"

namespace {

void* volatile keptBlock = nullptr;

TEST(RenderNoAllocation, CounterSeesTheProgramsOwnAllocations) {
  OwnAllocationCount count;
  std::vector<int> v(100, 1);
  keptBlock = std::malloc(16);
  std::free(keptBlock);
  EXPECT_EQ(count.allocations(), 2);
}

// A full flock without glow, with a halo blurred by GL and by the processor in each mode, and
// without a halo but with symmetry: a thousand frames of update and drawing take no storage of
// their own (the GL implementation's own is its business).
TEST(RenderNoAllocation, ThousandFramesOfUpdateAndGlow) {
  for (const auto& [mode, request] : {std::pair{GlowMode::None, GlowBlurRequest::Gl},
                                      {GlowMode::LowQuality, GlowBlurRequest::Gl},
                                      {GlowMode::HighQuality, GlowBlurRequest::Gl},
                                      {GlowMode::LowQuality, GlowBlurRequest::Software},
                                      {GlowMode::HighQuality, GlowBlurRequest::Software},
                                      {GlowMode::WiresOnly, GlowBlurRequest::Gl}}) {
    const std::int32_t symmetry = mode == GlowMode::WiresOnly ? 1 : 0;
    {
      SCOPED_TRACE(testing::Message()
                   << "mode " << static_cast<int>(mode) << " symmetry " << symmetry);
      Scene scene = buildFlock(160, 120, mode, ColorScheme::Cycle, symmetry, 0);
      ASSERT_NE(scene.trails.trails, nullptr);
      SaverSurface saver(160, 120);
      saver.useGlow(mode, request);
      OwnAllocationCount count;
      for (int frame = 0; frame < 1000; ++frame) {
        sceneUpdate(scene, 10000);
        renderWithGlow(scene, saver.textures);
      }
      EXPECT_EQ(count.allocations(), 0);
      sceneRelease(scene);
    }
  }
}

// The ES renderer the same, through the saver's frames with the figures shown: after the first
// frame of a scene (which takes the room for its lines), frames take no storage.
TEST(RenderNoAllocation, EsFramesWithEveryGlowAndBlurPath) {
  for (const GlowMode mode : {GlowMode::None, GlowMode::LowQuality, GlowMode::HighQuality}) {
    for (const GlowBlurRequest blur : {GlowBlurRequest::Gl, GlowBlurRequest::Software}) {
      SCOPED_TRACE(testing::Message()
                   << "mode " << static_cast<int>(mode) << " blur " << static_cast<int>(blur));
      HeadlessWindow window{};
      ASSERT_TRUE(HeadlessWindowOpen(window, 160, 120, &HeadlessSurfaceFormat, 1));
      window.api = ContextApi::Es3;
      const WindowSystem system = HeadlessWindowSystem(window);
      FrameDriverState state{};
      state.renderers = &kHeadlessRenderers;
      state.blurRequest = blur;
      state.showFps = true;
      Settings settings = settingsDefaults();
      settings.glow = mode;
      settings.symmetry = 1;
      ASSERT_TRUE(RunCreationSequence(state, system, ClientSize{160, 120}, settings));
      EXPECT_EQ(state.renderer, &kEsRenderer);
      RunFrame(state, system);
      {
        OwnAllocationCount count;
        for (int frame = 0; frame < 300; ++frame) {
          window.tickMs += 10;
          RunFrame(state, system);
        }
        EXPECT_EQ(count.allocations(), 0);
      }
      RunReleaseSequence(state, system);
      HeadlessWindowClose(window);
    }
  }
}

}  // namespace
