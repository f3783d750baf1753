// The frame sequences' window-system operations, carried out with the window manager, GDI and
// WGL for the saver window: its own device context, the pixel format chosen by the shared score
// among those DescribePixelFormat lists, and a WGL context.
#pragma once

#include <windows.h>

#include "driver/frame_driver_state.h"
#include "driver/window_system.h"

struct Win32Window {
  HWND window;
  HDC deviceContext;    // the window's own (the class has CS_OWNDC), taken with the context
  HGLRC renderContext;  // null when none was made
};

WindowSystem Win32WindowSystem(Win32Window& record);

// The 1-based index of the best pixel format the device offers for the request, by the shared
// score over what DescribePixelFormat tells of each; 0 when none qualifies.
int ChooseScoredPixelFormat(HDC deviceContext, const SurfaceRequest& request);

// The saver's frame timer: identifier 1, at the frame period.
inline constexpr UINT_PTR FrameTimerId = 1;

// The process's one saver window and its drawing record (a saver has one window).
Win32Window& CurrentWin32Window();
FrameDriverState& CurrentFrameDriverState();
