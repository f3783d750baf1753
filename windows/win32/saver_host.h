// The host's Windows entry points: the modes, the saver window and its window procedure.
#pragma once

#include <windows.h>

// Runs the mode that the argument text (the command line after the program name) selects and
// returns the process's exit code. A fault anywhere in the mode ends it with -1.
int SaverMain(HINSTANCE instance, const char* arguments);

// The configuration mode: the settings dialog, owned by owner (may be null).
int ShowConfigDialog(HWND owner);

// Opens the saver window, full screen without a parent or as a preview child of parent, and runs
// its message loop until the window is destroyed. Returns the exit code.
int RunSaverWindow(HWND parent);

// The saver window's class procedure: screens each message, then hands it to ScreenSaverProc.
LRESULT CALLBACK SaverHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
