#include "windows/closing_rules.h"

#include "windows/system_hooks.h"

namespace {

// The tail: the autoplay query, otherwise the system's default handling.
CloseDecision tail(std::uint32_t message, const SaverHostState& host, std::uint32_t steps = 0) {
  if (host.autoplayMessage != 0 && message == host.autoplayMessage) {
    return {steps | CloseStepPostClose, CloseRoute::Return, VerifierLoaded(host) ? 1 : 0};
  }
  return {steps, CloseRoute::DefaultWindowProc, 0};
}

// The input a message stands for under the wake rule, when it stands for one. (The wheel's
// messages stand for none: a wheel never ends the saver.)
bool wakeInputOf(std::uint32_t message, std::uintptr_t wParam, ScreenPoint pointer,
                 WakeInput* input) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      *input = WakeInput{WakeInputKind::KeyDown, pointer};
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      *input = WakeInput{WakeInputKind::ButtonDown, pointer};
      return true;
    case WM_MOUSEMOVE:
      *input = WakeInput{WakeInputKind::PointerMoved, pointer};
      return true;
    case WM_ACTIVATEAPP:
      if (wParam) return false;  // only the program losing activation counts
      *input = WakeInput{WakeInputKind::FocusLost, pointer};
      return true;
    default:
      return false;
  }
}

// Which messages by themselves, in a running full-screen saver, ask it to close. A pointer move
// that does also records where the pointer is.
std::uint32_t screen(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                     const SaverHostState& host, ScreenPoint pointer) {
  WakeInput input{};
  if (wakeInputOf(message, wParam, pointer, &input)) {
    if (!inputWakes(input, host.cursorOrigin)) return 0;
    return input.kind == WakeInputKind::PointerMoved ? CloseStepPostClose | CloseStepStorePointer
                                                     : CloseStepPostClose;
  }
  switch (message) {
    case WM_SHOWWINDOW:
      return wParam ? CloseStepHideCursor : 0u;
    case WM_POWER:
    case WM_POWERBROADCAST:
      switch (DecidePowerRule(message, wParam, lParam)) {
        case PowerRule::PostClose:
          return CloseStepPostClose;
        case PowerRule::CheckLineStatus:
          return CloseStepCheckLineStatus;
        case PowerRule::Ignore:
          return 0;
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace

CloseDecision DecideDefaultHandling(std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam, const SaverHostState& host,
                                    ScreenPoint pointer) {
  if (host.isPreview || host.isClosing) return tail(message, host);
  if (message == WM_CLOSE) {
    if (host.is9xPlatform) return {0, CloseRoute::VerifyBeforeClose, 0};
    return tail(message, host);
  }
  if (message == WM_APP) {
    if (host.is9xPlatform) return {0, CloseRoute::AnswerVerifyRequest, 0};
    return tail(message, host);
  }
  if (host.isVerifying) return tail(message, host);  // no screening while the password is asked
  if (message == WM_SETCURSOR) return {CloseStepHideCursor, CloseRoute::Return, 1};
  return tail(message, host, screen(message, wParam, lParam, host, pointer));
}
