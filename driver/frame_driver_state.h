// The frame driver's record of one window's drawing: everything it needs from the window's
// creation to its destruction. The Windows saver keeps one for the process; a saver drawing on
// several outputs keeps one for each.
#pragma once

#include <cstdint>

#include "render/fps_overlay.h"
#include "render/gl11/glow_textures.h"
#include "driver/renderer.h"
#include "settings/settings.h"
#include "sim/frame_clock.h"
#include "sim/scene.h"

struct FrameDriverState {
  std::int32_t windowWidth;   // size drawn at in pixels, at creation and on a resize
  std::int32_t windowHeight;  //
  bool hasContext;            // a GL context was made for the window and not yet released
  GlowTextures
      glowTextures;  // the GL 1.1 renderer's, made with the context, deleted at destruction
  // The renderers the program links, set before creation; null: nothing draws.
  const RendererTable* renderers;
  GlowBlurRequest blurRequest;  // where the program asks the halo to be blurred (before creation)
  // The Windows saver's: the GL 1.1 renderer makes the calls it always made, in their order and
  // sizes. Otherwise (the Linux programs) its software path trims them to the halo's lit part.
  bool keepGl11Calls;
  const Renderer* renderer;  // chosen at creation for the context made; null: none draws
  void* rendererRecord;      // what the renderer draws through, from its create to its release
  Settings settings;         // what the window was created with
  FrameClock* frameClock;    // made when the window is created
  Scene* scene;              // made when the window is created
  bool showFps;              // draw the frame-rate figures over each frame (set before creation)
  FpsCounter fps;
};
