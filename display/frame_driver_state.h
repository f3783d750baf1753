// The frame driver's process-wide record: everything the saver window's drawing needs from its
// creation to its destruction.
#pragma once

#include <cstdint>

#include "host/system_handles.h"
#include "render/glow_textures.h"
#include "settings/settings.h"
#include "sim/frame_clock.h"
#include "sim/scene.h"

// The window's device and GL contexts, carried as opaque pointers (beside the host's WindowHandle)
// so the frame sequences stay portable. On Windows they are the window's HDC and its HGLRC.
using DeviceContextHandle = void*;
using RenderContextHandle = void*;

struct FrameDriverState {
  std::int32_t windowWidth;           // client width in pixels, at creation and on a resize
  std::int32_t windowHeight;          // client height in pixels, at creation and on a resize
  DeviceContextHandle deviceContext;  // the window's own device context
  RenderContextHandle renderContext;  // the GL context made current on it; null if none
  GlowTextures glowTextures;          // made with the context, deleted at destruction
  Settings settings;                  // read once, at window creation
  FrameClock* frameClock;             // made when the window is created; never freed
  Scene* scene;                       // made when the window is created; never freed
};

// The one record of the process.
FrameDriverState& CurrentFrameDriverState();
