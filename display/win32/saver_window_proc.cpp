// The saver's own window procedure: it runs the frame driver's creation, frame and release
// sequences on the saver window, owns the settings they draw with (read from the registry at
// creation), the frame timer and the end of the process when the scene cannot be built, and
// hands every other message to the host's default handling.
#include "display/frame_sequence.h"
#include "display/win32/win32_window_system.h"
#include "host/frame_driver_messages.h"
#include "host/win32/screensaver_callbacks.h"
#include "settings/settings.h"
#include "sim/scene_build.h"

Win32Window& CurrentWin32Window() {
  static Win32Window window{};
  return window;
}

FrameDriverState& CurrentFrameDriverState() {
  static FrameDriverState state{};
  return state;
}

namespace {

// Creation: the client size, the settings, then the drawing; the frame timer last.
void CreateDrawing(HWND window) {
  Win32Window& record = CurrentWin32Window();
  record = Win32Window{window, nullptr, nullptr};
  const WindowSystem windowSystem = Win32WindowSystem(record);
  const ClientSize size = windowSystem.clientSize(windowSystem.window);
  loadSettings();
  CurrentFrameDriverState().keepGl11Calls = true;
  if (!RunCreationSequence(CurrentFrameDriverState(), windowSystem, size, currentSettings())) {
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
