// Placeholder until the frame driver is built: every message goes to the host's default handling.
#include "host/win32/screensaver_callbacks.h"

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefScreenSaverProc(window, message, wParam, lParam);
}
