// The four callbacks, with their fixed names, through which the saver plugs into its host.
#pragma once

#include <windows.h>

// The saver's own window procedure (display): creation, destruction and the frame timer; every
// other message goes on to DefScreenSaverProc.
LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The host's default handling, which holds the closing rules.
LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The configuration dialog's procedure (settings), run on dialog template 2003.
INT_PTR WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Registers any window classes the dialog needs; false keeps the dialog from opening.
BOOL WINAPI RegisterDialogClasses(HANDLE instance);
