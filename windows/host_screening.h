// The host window procedure's screening: what happens to each message before the saver's own
// procedure sees it.
#pragma once

#include <cstdint>

#include "windows/saver_host_state.h"

// Steps carried out, in this order, before the message is routed.
enum HostStep : std::uint32_t {
  HostStepDetachInputMethod = 1u << 0,   // detach the window from the input method
  HostStepRecordCursorOrigin = 1u << 1,  // cursorOrigin = the pointer position now
  HostStepRestoreInputMethod = 1u << 2,  // give the window its input-method context back
  HostStepPostQuit = 1u << 3,            // PostQuitMessage(0)
  HostStepHideCursor = 1u << 4,          // SetCursor(NULL)
  HostStepYield = 1u << 5,               // Sleep(0): give up the rest of the time slice
  HostStepPostClose = 1u << 6,           // post WM_CLOSE to the window
  HostStepForwardToParent = 1u << 7,     // post the message to a still existing parent window,
                                         // with the parent's own handle as wParam
};

enum class HostRoute : std::uint8_t {
  Saver,              // ScreenSaverProc
  DefaultWindowProc,  // DefWindowProcA, unscreened
  Return,             // answer result without passing the message on
};

struct HostDecision {
  std::uint32_t steps;  // HostStep bits
  HostRoute route;
  std::intptr_t result;  // when route is Return
};

HostDecision ScreenHostMessage(std::uint32_t message, std::uintptr_t wParam,
                               const SaverHostState& host);
