// The saver's own window procedure: it runs the frame driver's creation, frame and release
// sequences and hands every other message to the host's default handling.
#include "display/frame_driver_messages.h"
#include "display/frame_driver_state.h"
#include "display/frame_sequence.h"
#include "display/win32/win32_window_system.h"
#include "host/win32/screensaver_callbacks.h"

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FrameDriverState& state = CurrentFrameDriverState();
  switch (FrameDriverActionFor(message, wParam)) {
    case FrameDriverAction::Create:
      RunCreationSequence(state, Win32WindowSystem(window));
      return 0;
    case FrameDriverAction::Frame:
      RunFrame(state, Win32WindowSystem(window));
      return 0;
    case FrameDriverAction::Release:
      RunReleaseSequence(state, Win32WindowSystem(window));
      return 0;
    case FrameDriverAction::PassToHost:
      break;
  }
  return DefScreenSaverProc(window, message, wParam, lParam);
}
