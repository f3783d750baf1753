#include <gtest/gtest.h>

#include <string>

#include "wayland/egl_choice.h"
#include "wayland/surface_plan.h"
#include "wayland/window_decorations.h"

namespace {

TEST(SurfacePlan, RolesFollowTheModeAndWhatTheCompositorOffers) {
  const ShellOffer sway{true, true}, weston{false, true}, bare{false, false};
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::FullScreen, sway), SurfaceRole::OverlayLayer);
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::FullScreen, weston), SurfaceRole::FullscreenToplevel);
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::Background, sway), SurfaceRole::BackgroundLayer);
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::Background, weston), SurfaceRole::None);
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::Window, sway), SurfaceRole::Toplevel);
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::FullScreen, bare), SurfaceRole::None);
  // The window is an xdg toplevel or nothing: layer-shell alone does not make one.
  const ShellOffer layerOnly{true, false};
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::Window, weston), SurfaceRole::Toplevel);
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::Window, layerOnly), SurfaceRole::None);
  EXPECT_EQ(chooseSurfaceRole(WaylandMode::FullScreen, layerOnly), SurfaceRole::OverlayLayer);
  EXPECT_NE(std::string(surfaceRoleRefusal(WaylandMode::Window, layerOnly)).find("xdg_wm_base"),
            std::string::npos);
  EXPECT_NE(std::string(surfaceRoleRefusal(WaylandMode::Background, weston)).find("layer-shell"),
            std::string::npos);
  // Every role but the window's has a surface on each output.
  for (const SurfaceRole role :
       {SurfaceRole::None, SurfaceRole::OverlayLayer, SurfaceRole::BackgroundLayer,
        SurfaceRole::FullscreenToplevel, SurfaceRole::Toplevel}) {
    EXPECT_EQ(roleCoversEachOutput(role),
              role != SurfaceRole::None && role != SurfaceRole::Toplevel)
        << static_cast<int>(role);
  }
}

TEST(SurfacePlan, SurfacesAreDrawnAtTheOutputsFullPixelSize) {
  // sway at scale 2: a 1024x768 mode is 512x384 in surface coordinates, drawn at 1024x768.
  OutputFacts output{{1024, 768}, 0, 2, false, {}};
  const ClientSize logical = outputLogicalSize(output);
  EXPECT_EQ(logical.width, 512);
  EXPECT_EQ(logical.height, 384);
  const ClientSize surface = surfaceLogicalSize(SurfaceRole::OverlayLayer, {0, 0}, logical);
  SurfaceBuffer buffer = surfaceBuffer(surface, SurfaceScale{2, 0, true});
  EXPECT_EQ(buffer.size.width, 1024);
  EXPECT_EQ(buffer.size.height, 768);
  EXPECT_EQ(buffer.bufferScale, 2);
  EXPECT_FALSE(buffer.viewport);

  // At 1.5 with fractional-scale and viewporter: the exact size, half away from zero, buffer
  // scale 1 (1365 × 1.5 = 2047.5); without a viewporter the integer scale stays.
  buffer = surfaceBuffer({1365, 768}, SurfaceScale{2, 180, true});
  EXPECT_EQ(buffer.size.width, 2048);
  EXPECT_EQ(buffer.size.height, 1152);
  EXPECT_EQ(buffer.bufferScale, 1);
  EXPECT_TRUE(buffer.viewport);
  EXPECT_EQ(surfaceBuffer({1365, 768}, SurfaceScale{2, 180, false}).size.width, 2730);

  // xdg-output's logical size wins; a quarter turn swaps the sides; odd sizes round up.
  output = OutputFacts{{1080, 1920}, 1, 1, false, {}};
  EXPECT_EQ(outputLogicalSize(output).width, 1920);
  output = OutputFacts{{1025, 769}, 0, 2, false, {}};
  EXPECT_EQ(outputLogicalSize(output).width, 513);
  EXPECT_EQ(outputLogicalSize(output).height, 385);
  output.logicalKnown = true;
  output.logicalSize = {683, 384};
  EXPECT_EQ(outputLogicalSize(output).width, 683);

  // What the compositor leaves open: the output's size, or the default window's.
  const ClientSize window = surfaceLogicalSize(SurfaceRole::Toplevel, {0, 300}, logical);
  EXPECT_EQ(window.width, kDefaultWindowSize.width);
  EXPECT_EQ(window.height, 300);
  EXPECT_EQ(surfaceLogicalSize(SurfaceRole::FullscreenToplevel, {0, 0}, logical).height, 384);
  EXPECT_EQ(surfaceBuffer({-4, 0}, SurfaceScale{0, 0, false}).size.width, 0);
}

TEST(SurfacePlan, ASurfaceDrawsOnlyWhenConfiguredShownAndNotEmpty) {
  EXPECT_TRUE(surfaceMayDraw({true, false}, {800, 600}));
  EXPECT_FALSE(surfaceMayDraw({false, false}, {800, 600}));
  EXPECT_FALSE(surfaceMayDraw({true, true}, {800, 600}));  // hidden: its frame never shown
  EXPECT_FALSE(surfaceMayDraw({true, false}, {800, 0}));
  EXPECT_FALSE(surfaceMayDraw({true, false}, {0, 600}));
}

TEST(SurfacePlan, ScalesFollowTheOutputsAndFailuresNeitherFreezeNorHide) {
  // The covered output's scale, or the largest of the outputs the window is on (only those of
  // the table); no viewport to a destination of 0.
  const std::int32_t scales[3] = {1, 3, 2};
  EXPECT_EQ(surfaceIntegerScale(2, 0b011, scales, 3), 2);
  EXPECT_EQ(surfaceIntegerScale(0, 0b101, scales, 3), 2);
  EXPECT_EQ(surfaceIntegerScale(0, 0b110, scales, 3), 3);  // not the last output's
  EXPECT_EQ(surfaceIntegerScale(0, 0b111, scales, 2), 3);
  EXPECT_EQ(surfaceIntegerScale(0, 0b1000, scales, 3), 1);
  const SurfaceBuffer empty = surfaceBuffer({0, 768}, SurfaceScale{2, 180, true});
  EXPECT_TRUE(!empty.viewport && empty.bufferScale == 2);
  EXPECT_FALSE(surfaceBuffer({683, 0}, SurfaceScale{1, 180, true}).viewport);

  // A failed swap waits for no callback; failures in a row give up once there are enough of them
  // over long enough, counted from the first (across the clock's wrap).
  const SwapOutcome first = surfaceSwapOutcome(false, SwapFailures{0, 0}, 0xFFFFF000u);
  EXPECT_TRUE(!first.frameOutstanding && !first.givesUp && first.failures.firstMs == 0xFFFFF000u);
  const SwapFailures many{kSwapFailuresToGiveUp - 1, 0xFFFFF000u};
  const std::uint32_t late = 0xFFFFF000u + kSwapFailingMsToGiveUp;
  EXPECT_FALSE(surfaceSwapOutcome(false, many, late - 1).givesUp);
  EXPECT_TRUE(surfaceSwapOutcome(false, many, late).givesUp);
  EXPECT_FALSE(surfaceSwapOutcome(false, {kSwapFailuresToGiveUp - 2, 0}, 60000).givesUp);
  EXPECT_EQ(surfaceSwapOutcome(true, many, late).failures.count, 0u);
}

// Only the window is decorated: by the compositor where it offers to, else by libdecor where the
// program has it. Its content keeps the size asked for, else the one it had, else the default.
TEST(SurfacePlan, TheWindowAloneIsDecoratedAndKeepsItsSize) {
  for (const SurfaceRole role : {SurfaceRole::OverlayLayer, SurfaceRole::BackgroundLayer,
                                 SurfaceRole::FullscreenToplevel, SurfaceRole::None}) {
    EXPECT_EQ(chooseWindowDecorations(role, DecorationOffer{true, true}), WindowDecorations::None);
  }
  const SurfaceRole window = SurfaceRole::Toplevel;
  EXPECT_EQ(chooseWindowDecorations(window, {true, true}), WindowDecorations::ServerSide);
  EXPECT_EQ(chooseWindowDecorations(window, {true, false}), WindowDecorations::ServerSide);
  EXPECT_EQ(chooseWindowDecorations(window, {false, true}), WindowDecorations::ClientSide);
  EXPECT_EQ(chooseWindowDecorations(window, {false, false}), WindowDecorations::None);

  EXPECT_EQ(windowContentSize({800, 600}, {300, 200}).width, 800);
  const ClientSize kept = windowContentSize({0, 600}, {300, 200});
  EXPECT_TRUE(kept.width == 300 && kept.height == 200);
  const ClientSize first = windowContentSize({-1, 0}, {0, 0});
  EXPECT_TRUE(first.width == kDefaultWindowSize.width && first.height == kDefaultWindowSize.height);
}

TEST(EglChoice, TheDisplayIsAskedForAsAWaylandOneWhereEglCanBeTold) {
  const char* mesa = "EGL_EXT_platform_base EGL_KHR_platform_wayland";
  EXPECT_EQ(chooseEglDisplayCall(mesa, "1.5 Mesa"), EglDisplayCall::Platform);
  EXPECT_EQ(chooseEglDisplayCall(mesa, "1.10"), EglDisplayCall::Platform);
  EXPECT_EQ(chooseEglDisplayCall("EGL_EXT_platform_wayland EGL_EXT_platform_base", "1.4"),
            EglDisplayCall::PlatformExt);
  EXPECT_EQ(chooseEglDisplayCall("EGL_KHR_platform_wayland", nullptr), EglDisplayCall::Native);
  EXPECT_EQ(chooseEglDisplayCall("EGL_KHR_platform_waylandX", "1.5"), EglDisplayCall::Native);
  EXPECT_EQ(chooseEglDisplayCall(nullptr, "1.5"), EglDisplayCall::Native);
  EXPECT_FALSE(eglExtensionListed("XEGL_EXT_platform_base", "EGL_EXT_platform_base"));
  EXPECT_TRUE(
      eglExtensionListed("XEGL_EXT_platform_base EGL_EXT_platform_base", "EGL_EXT_platform_base"));
}

// The plan as a string of attempts: "g" desktop, "e" ES 3.
std::string Plan(const char* variable, const char* apis, bool desktop = true, bool es = true) {
  const EglContextPlan plan = chooseEglContextPlan(variable, EglApiOffer{apis, desktop, es});
  std::string text;
  for (int i = 0; i < plan.count; ++i) text += plan.attempts[i] == ContextApi::Es3 ? 'e' : 'g';
  return text;
}

TEST(EglChoice, DesktopGlComesFirstEsIsTheFallbackAndTheVariableForcesEither) {
  const char* both = "OpenGL OpenGL_ES";
  EXPECT_EQ(Plan(nullptr, both), "ge");
  EXPECT_EQ(Plan("", both), "ge");
  EXPECT_EQ(Plan("GL", both), "ge");
  EXPECT_EQ(Plan("es3", both), "ge");
  EXPECT_EQ(Plan("gl", both), "g");
  EXPECT_EQ(Plan("es", both), "e");
  EXPECT_EQ(Plan(nullptr, "OpenGL_ES"), "e");
  EXPECT_EQ(Plan("gl", "OpenGL_ES"), "");
  EXPECT_EQ(Plan("es", "OpenGL OpenVG"), "");
  EXPECT_EQ(Plan(nullptr, both, false, true), "e");
  EXPECT_EQ(Plan(nullptr, both, true, false), "g");
  EXPECT_EQ(Plan("es", both, true, false), "");
  EXPECT_EQ(Plan(nullptr, nullptr), "");
}

TEST(EglChoice, EsSurfacesOnAGraphicsCardTakeTheSmallestMultisampleCountUpToFour) {
  const int mesa[] = {0, 4, 0, 4};
  const int many[] = {8, 2, 16, 4, 1};
  const int none[] = {0, 0, 1};
  const int large[] = {8, 16};
  EXPECT_EQ(chooseEglSamples(ContextApi::Es3, false, mesa, 4), 4);
  EXPECT_EQ(chooseEglSamples(ContextApi::Es3, false, many, 5), 2);
  EXPECT_EQ(chooseEglSamples(ContextApi::Es3, false, none, 3), 0);
  EXPECT_EQ(chooseEglSamples(ContextApi::Es3, false, large, 2), 0);
  EXPECT_EQ(chooseEglSamples(ContextApi::Es3, false, mesa, 0), 0);
  EXPECT_EQ(chooseEglSamples(ContextApi::DesktopGl, false, mesa, 4), 0);
  // A software renderer stays single-sampled, told by the driver's name or the device's
  // extensions; a hardware driver, or a display that tells neither, keeps the samples.
  const bool llvmpipe = eglDrawsInSoftware("swrast", nullptr);
  EXPECT_EQ(chooseEglSamples(ContextApi::Es3, llvmpipe, mesa, 4), 0);
  EXPECT_TRUE(eglDrawsInSoftware("kms_swrast", "EGL_EXT_device_drm"));
  EXPECT_TRUE(
      eglDrawsInSoftware(nullptr, "EGL_EXT_device_drm_render_node EGL_MESA_device_software"));
  EXPECT_FALSE(eglDrawsInSoftware("iris", "EGL_EXT_device_drm EGL_EXT_device_drm_render_node"));
  EXPECT_FALSE(eglDrawsInSoftware("swrast_dri", "EGL_MESA_device_softwares"));
  EXPECT_FALSE(eglDrawsInSoftware(nullptr, nullptr));
}

}  // namespace
