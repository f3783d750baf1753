// Placeholder until the configuration dialog is built: no dialog classes are needed, and the
// dialog procedure handles nothing.
#include "host/win32/screensaver_callbacks.h"

INT_PTR WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }
