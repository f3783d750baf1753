// The saver's own window procedure: it runs the frame driver's creation, frame and release
// sequences on the saver window, owns the settings they draw with (read from the registry at
// creation), the frame timer and the end of the process when the scene cannot be built, and
// hands every other message to the host's default handling.
#include <cstdlib>

#include "driver/frame_sequence.h"
#include "render/gl11/gl11_renderer.h"
#include "settings/settings.h"
#include "sim/scene_build.h"
#include "windows/frame_driver_messages.h"
#include "windows/win32/screensaver_callbacks.h"
#include "windows/win32/win32_window_system.h"

Win32Window& CurrentWin32Window() {
  static Win32Window window{};
  return window;
}

FrameDriverState& CurrentFrameDriverState() {
  static FrameDriverState state{};
  return state;
}

namespace {

// The exit status of a saver whose scene could not be built.
constexpr int kSceneBuildFailedExitStatus = -1;

// The saver draws only with fixed-function GL; WGL makes only desktop contexts.
const RendererTable kSaverRenderers{&kGl11Renderer, nullptr};

// Creation: the client size, the settings, then the drawing; the frame timer last.
void CreateDrawing(HWND window) {
  Win32Window& record = CurrentWin32Window();
  record = Win32Window{window, nullptr, nullptr};
  const WindowSystem windowSystem = Win32WindowSystem(record);
  const ClientSize size = windowSystem.clientSize(windowSystem.window);
  loadSettings();
  FrameDriverState& state = CurrentFrameDriverState();
  state.renderers = &kSaverRenderers;
  state.blurRequest = glowBlurRequestFromText(std::getenv(kGlowBlurVariable));
  state.keepGl11Calls = true;
  if (!RunCreationSequence(state, windowSystem, size, currentSettings())) {
    ExitProcess(static_cast<UINT>(kSceneBuildFailedExitStatus));
  }
  SetTimer(window, FrameTimerId, kFramePeriodMs, nullptr);
}

}  // namespace

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (FrameDriverActionFor(message, wParam)) {
    case FrameDriverAction::Create:
      CreateDrawing(window);
      return 0;
    case FrameDriverAction::Frame:
      RunFrame(CurrentFrameDriverState(), Win32WindowSystem(CurrentWin32Window()));
      return 0;
    case FrameDriverAction::Release:
      KillTimer(window, FrameTimerId);
      RunReleaseSequence(CurrentFrameDriverState(), Win32WindowSystem(CurrentWin32Window()));
      return 0;
    case FrameDriverAction::PassToHost:
      break;
  }
  return DefScreenSaverProc(window, message, wParam, lParam);
}
