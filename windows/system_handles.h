// System handles, kept as plain pointers so the portable code can hold and compare them. On
// Windows they are the system's HMODULE, HWND and HIMC.
#pragma once

using ModuleHandle = void*;
using WindowHandle = void*;
using InputContextHandle = void*;
