// The system's message numbers, commands and styles that the host's decisions use, under the
// system's own names. The Windows build takes them from windows.h (and checks that they equal
// the numbers below); elsewhere this header defines them, so the decisions build and run natively.
#pragma once

#include <cstdint>

// X(name, value) for every system value the host's portable code refers to.
#define QW_HOST_SYSTEM_VALUES(X)       \
  X(WM_CREATE, 0x0001)                 \
  X(WM_DESTROY, 0x0002)                \
  X(WM_SETTEXT, 0x000C)                \
  X(WM_PAINT, 0x000F)                  \
  X(WM_CLOSE, 0x0010)                  \
  X(WM_SHOWWINDOW, 0x0018)             \
  X(WM_ACTIVATEAPP, 0x001C)            \
  X(WM_SETCURSOR, 0x0020)              \
  X(WM_POWER, 0x0048)                  \
  X(WM_HELP, 0x0053)                   \
  X(WM_CONTEXTMENU, 0x007B)            \
  X(WM_KEYDOWN, 0x0100)                \
  X(WM_KEYUP, 0x0101)                  \
  X(WM_SYSKEYDOWN, 0x0104)             \
  X(WM_SYSCOMMAND, 0x0112)             \
  X(WM_TIMER, 0x0113)                  \
  X(WM_MOUSEMOVE, 0x0200)              \
  X(WM_LBUTTONDOWN, 0x0201)            \
  X(WM_LBUTTONUP, 0x0202)              \
  X(WM_RBUTTONDOWN, 0x0204)            \
  X(WM_MBUTTONDOWN, 0x0207)            \
  X(WM_MOUSEWHEEL, 0x020A)             \
  X(WM_POWERBROADCAST, 0x0218)         \
  X(WM_APP, 0x8000)                    \
  X(SC_NEXTWINDOW, 0xF040)             \
  X(SC_PREVWINDOW, 0xF050)             \
  X(SC_SCREENSAVE, 0xF140)             \
  X(SC_MONITORPOWER, 0xF170)           \
  X(PWR_CRITICALRESUME, 3)             \
  X(PBT_APMQUERYSUSPEND, 0x0000)       \
  X(PBT_APMQUERYSTANDBY, 0x0001)       \
  X(PBT_APMQUERYSUSPENDFAILED, 0x0002) \
  X(PBT_APMQUERYSTANDBYFAILED, 0x0003) \
  X(PBT_APMSUSPEND, 0x0004)            \
  X(PBT_APMSTANDBY, 0x0005)            \
  X(PBT_APMRESUMECRITICAL, 0x0006)     \
  X(PBT_APMRESUMESUSPEND, 0x0007)      \
  X(PBT_APMRESUMESTANDBY, 0x0008)      \
  X(PBT_APMBATTERYLOW, 0x0009)         \
  X(PBT_APMPOWERSTATUSCHANGE, 0x000A)  \
  X(PBT_APMOEMEVENT, 0x000B)           \
  X(PBT_APMRESUMEAUTOMATIC, 0x0012)    \
  X(PBTF_APMRESUMEFROMFAILURE, 0x0001) \
  X(WS_POPUP, 0x80000000u)             \
  X(WS_CHILD, 0x40000000u)             \
  X(WS_VISIBLE, 0x10000000u)           \
  X(WS_CLIPSIBLINGS, 0x04000000u)      \
  X(WS_CLIPCHILDREN, 0x02000000u)      \
  X(WS_EX_TOPMOST, 0x00000008u)        \
  X(CS_VREDRAW, 0x0001)                \
  X(CS_HREDRAW, 0x0002)                \
  X(CS_DBLCLKS, 0x0008)                \
  X(CS_OWNDC, 0x0020)                  \
  X(VER_PLATFORM_WIN32_WINDOWS, 1)

#if defined(_WIN32)
#include <windows.h>
#else
#define QW_DEFINE_SYSTEM_VALUE(name, value) constexpr std::uint32_t name = value;
QW_HOST_SYSTEM_VALUES(QW_DEFINE_SYSTEM_VALUE)
#undef QW_DEFINE_SYSTEM_VALUE
#endif
