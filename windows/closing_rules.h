// The default handling of the saver window's messages: the rules by which input, a switch to
// another program, power events and the autoplay query end a full-screen saver.
#pragma once

#include <cstdint>

#include "windows/saver_host_state.h"

// Steps carried out, in this order, before the message is routed.
enum CloseStep : std::uint32_t {
  CloseStepCheckLineStatus = 1u << 0,  // read the mains power state; a change adds PostClose
  CloseStepPostClose = 1u << 1,        // post WM_CLOSE to the window
  CloseStepStorePointer = 1u << 2,     // cursorOrigin = the pointer position given
  CloseStepHideCursor = 1u << 3,       // SetCursor(NULL)
};

enum class CloseRoute : std::uint8_t {
  DefaultWindowProc,    // DefWindowProcA (which destroys the window on WM_CLOSE)
  Return,               // answer result
  VerifyBeforeClose,    // ask for the password; refused: cursorOrigin = pointer, answer 0;
                        // accepted: DefWindowProcA
  AnswerVerifyRequest,  // answer the loaded verifier's verdict for the window, or 1
};

struct CloseDecision {
  std::uint32_t steps;  // CloseStep bits
  CloseRoute route;
  std::intptr_t result;  // when route is Return
};

// pointer is the pointer position in screen pixels; only WM_MOUSEMOVE reads it. The input that
// ends a full-screen saver is judged by the shared wake rule (driver/wake_rule.h).
CloseDecision DecideDefaultHandling(std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam, const SaverHostState& host,
                                    ScreenPoint pointer);
