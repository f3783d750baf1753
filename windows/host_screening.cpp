#include "windows/host_screening.h"

namespace {

constexpr HostDecision toSaver(std::uint32_t steps = 0) { return {steps, HostRoute::Saver, 0}; }
constexpr HostDecision answer(std::intptr_t result, std::uint32_t steps = 0) {
  return {steps, HostRoute::Return, result};
}
constexpr HostDecision unscreened() { return {0, HostRoute::DefaultWindowProc, 0}; }

std::uint32_t hideCursorUnlessPreview(const SaverHostState& host) {
  return host.isPreview ? 0u : static_cast<std::uint32_t>(HostStepHideCursor);
}

}  // namespace

HostDecision ScreenHostMessage(std::uint32_t message, std::uintptr_t wParam,
                               const SaverHostState& host) {
  switch (message) {
    case WM_CREATE:
      return toSaver(HostStepDetachInputMethod | HostStepRecordCursorOrigin |
                     hideCursorUnlessPreview(host));
    case WM_DESTROY:
      return toSaver(HostStepRestoreInputMethod | HostStepPostQuit);
    case WM_SETTEXT:
      return answer(0);  // the title never changes
    case WM_PAINT:
      if (host.isClosing) return unscreened();
      return toSaver(hideCursorUnlessPreview(host));
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (host.isPreview) return answer(1, HostStepForwardToParent);
      return toSaver();
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (host.isClosing) return unscreened();
      return toSaver();
    case WM_TIMER:
      if (host.isClosing) return answer(0);  // no frame once closing
      return toSaver(HostStepYield);
    case WM_SYSCOMMAND:
      if (host.isPreview) return toSaver();
      // The whole wParam is compared: a command with low bits set is not one of these.
      switch (wParam) {
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_SCREENSAVE:
          return answer(0);
        case SC_MONITORPOWER:
          return toSaver(HostStepPostClose);
        default:
          return toSaver();
      }
    default:
      return toSaver();
  }
}
