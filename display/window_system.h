// The window-system operations the frame sequences need, as one record of functions. The saver
// carries them out with the Win32 window manager, GDI and WGL (and reads its settings from the
// registry); the headless renderer and the native tests carry them out without a window. Every
// operation is told which window it acts for.
#pragma once

#include <cstdint>

#include "display/frame_driver_state.h"
#include "display/pixel_format.h"

struct ClientSize {
  std::int32_t width;
  std::int32_t height;
};

struct WindowSystem {
  WindowHandle window;

  // The client area's size in pixels (GetClientRect: right and bottom).
  ClientSize (*getClientSize)(WindowHandle window);
  // Reads the user's stored settings, with their defaults and limits, into `settings`.
  void (*loadSettings)(WindowHandle window, Settings& settings);
  // The window's own device context (GetDC).
  DeviceContextHandle (*getDeviceContext)(WindowHandle window);
  // Describes format `index` (1-based) into `format`; returns how many formats the device
  // offers (DescribePixelFormat).
  int (*describePixelFormat)(WindowHandle window, DeviceContextHandle deviceContext, int index,
                             PixelFormatDescription* format);
  // Sets format `format` (0 when none was chosen) with the given descriptor (SetPixelFormat).
  void (*setPixelFormat)(WindowHandle window, DeviceContextHandle deviceContext, int format,
                         const PixelFormatDescription& descriptor);
  // A new GL context for the device, or null (wglCreateContext).
  RenderContextHandle (*createRenderContext)(WindowHandle window,
                                             DeviceContextHandle deviceContext);
  // Makes the context current on this thread; both null makes none current (wglMakeCurrent).
  void (*makeCurrent)(WindowHandle window, DeviceContextHandle deviceContext,
                      RenderContextHandle renderContext);
  // wglDeleteContext.
  void (*deleteRenderContext)(WindowHandle window, RenderContextHandle renderContext);
  // ReleaseDC.
  void (*releaseDeviceContext)(WindowHandle window, DeviceContextHandle deviceContext);
  // A periodic timer that arrives as a timer message (SetTimer without a callback).
  void (*startTimer)(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);
  // KillTimer.
  void (*stopTimer)(WindowHandle window, std::uint32_t id);
  // Shows the finished frame (SwapBuffers).
  void (*swapBuffers)(WindowHandle window, DeviceContextHandle deviceContext);
  // Milliseconds since the system started, wrapping at 2^32 (GetTickCount).
  std::uint32_t (*tickCount)(WindowHandle window);
  // Ends the process at once with the given status, releasing nothing (ExitProcess).
  void (*endProcess)(WindowHandle window, int exitStatus);
};
