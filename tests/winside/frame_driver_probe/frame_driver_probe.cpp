// Creates a window whose procedure is the saver's ScreenSaverProc, lets it run a number of timer
// frames, destroys it, and prints what it found as key=value lines. With the argument "zero" the
// window has a 0 x 0 client area. The host's default handling is replaced by DefWindowProcA.
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "driver/frame_sequence.h"
#include "windows/win32/win32_window_system.h"
#include "windows/win32/screensaver_callbacks.h"

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

int frameTimerTicks = 0;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == FrameTimerId) ++frameTimerTicks;
  if (message == WM_DESTROY) PostQuitMessage(0);
  return ScreenSaverProc(window, message, wParam, lParam);
}

void Report(const char* key, long long value) { std::printf("%s=%lld\n", key, value); }

void ReportBlend(const char* key) {
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  Report(key, source == GL_SRC_ALPHA && destination == GL_ONE_MINUS_SRC_ALPHA);
}

}  // namespace

int main(int argc, char** argv) {
  const bool zero = argc > 1 && std::strcmp(argv[1], "zero") == 0;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
  windowClass.lpfnWndProc = ProbeProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "QuellwireFrameProbe";
  if (!RegisterClassA(&windowClass)) return 2;
  const int size = zero ? 0 : 320;
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Probe", WS_POPUP | WS_VISIBLE, 0, 0,
                                size, size * 3 / 4, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 3;

  FrameDriverState& state = CurrentFrameDriverState();
  const Win32Window& drawing = CurrentWin32Window();
  Report("settings_color", static_cast<long long>(state.settings.color));
  Report("settings_quantity_percent",
         static_cast<long long>(state.settings.quantity * 100.0f + 0.5f));
  Report("width", state.windowWidth);
  Report("height", state.windowHeight);
  const int format = GetPixelFormat(drawing.deviceContext);
  Report("pixel_format_set", format > 0);
  PIXELFORMATDESCRIPTOR descriptor{};
  DescribePixelFormat(drawing.deviceContext, format, sizeof descriptor, &descriptor);
  Report("format_window_opengl", (descriptor.dwFlags & (PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL)) ==
                                     (PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL));
  Report("format_double_buffered", (descriptor.dwFlags & PFD_DOUBLEBUFFER) != 0);
  Report("format_rgba", descriptor.iPixelType == PFD_TYPE_RGBA);
  Report("context_current",
         drawing.renderContext != nullptr && wglGetCurrentContext() == drawing.renderContext);
  GLint viewport[4] = {-1, -1, -1, -1};
  glGetIntegerv(GL_VIEWPORT, viewport);
  Report("viewport_width", viewport[2]);
  Report("viewport_height", viewport[3]);
  ReportBlend("initial_blend_ordinary");

  // A timer with an identifier other than the frame timer's still runs a frame, which sets the
  // clear colour back to black.
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glBlendFunc(GL_ONE, GL_ZERO);
  SendMessageA(window, WM_TIMER, 7, 0);
  GLfloat clear[4] = {1, 1, 1, 1};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  Report("foreign_timer_frame", clear[0] == 0.0f && clear[3] == 0.0f);
  ReportBlend("blend_ordinary_after_frame");

  // Frames from the 10 ms timer, for at most ten seconds.
  const DWORD start = GetTickCount();
  MSG message;
  while (frameTimerTicks < 20 && GetTickCount() - start < 10000) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    } else {
      Sleep(1);
    }
  }
  Report("frame_timer_ticks_reached_20", frameTimerTicks >= 20);
  Report("gl_error", glGetError());

  DestroyWindow(window);
  Report("context_released", wglGetCurrentContext() == nullptr);
  Report("texture_names_zero",
         state.glowTextures.names[0] == 0 && state.glowTextures.names[1] == 0);
  Report("handles_cleared", drawing.deviceContext == nullptr && drawing.renderContext == nullptr);
  return 0;
}
