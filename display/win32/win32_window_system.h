// The frame sequences' window-system operations, carried out with the window manager, GDI and
// WGL for one saver window.
#pragma once

#include <windows.h>

#include "display/window_system.h"

WindowSystem Win32WindowSystem(HWND window);
