#include "host/closing_rules.h"

#include "host/system_hooks.h"

namespace {

std::uint64_t axisDistance(std::int32_t from, std::int32_t to) {
  const std::int64_t difference = static_cast<std::int64_t>(to) - static_cast<std::int64_t>(from);
  return static_cast<std::uint64_t>(difference < 0 ? -difference : difference);
}

// The tail: the autoplay query, otherwise the system's default handling.
CloseDecision tail(std::uint32_t message, const SaverHostState& host, std::uint32_t steps = 0) {
  if (host.autoplayMessage != 0 && message == host.autoplayMessage) {
    return {steps | CloseStepPostClose, CloseRoute::Return, VerifierLoaded(host) ? 1 : 0};
  }
  return {steps, CloseRoute::DefaultWindowProc, 0};
}

// Which messages by themselves, in a running full-screen saver, ask it to close.
std::uint32_t screen(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                     const SaverHostState& host, ScreenPoint pointer) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return CloseStepPostClose;
    case WM_MOUSEMOVE:
      if (PointerDistance(host.cursorOrigin, pointer) > SaverHostState::wakeThreshold) {
        return CloseStepPostClose | CloseStepStorePointer;
      }
      return 0;
    case WM_SHOWWINDOW:
      return wParam ? CloseStepHideCursor : 0u;
    case WM_ACTIVATEAPP:
      return wParam ? 0u : CloseStepPostClose;  // the program is losing activation
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

std::uint64_t PointerDistance(ScreenPoint from, ScreenPoint to) {
  return axisDistance(from.x, to.x) + axisDistance(from.y, to.y);
}

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
