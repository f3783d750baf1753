// Placeholder entry until the host is built: every command line is refused.
#include "host/win32/screensaver_callbacks.h"

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ExitProcess(static_cast<UINT>(-1));
}
