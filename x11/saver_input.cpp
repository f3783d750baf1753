#include "x11/saver_input.h"

#include "host/closing_rules.h"

SaverInputMessage saverInputMessage(const SaverInput& input) {
  switch (input.kind) {
    case SaverInputKind::KeyDown:
      return {WM_KEYDOWN, 0};
    case SaverInputKind::ButtonDown:
      switch (input.button) {
        case 1:
          return {WM_LBUTTONDOWN, 0};
        case 2:
          return {WM_MBUTTONDOWN, 0};
        case 3:
          return {WM_RBUTTONDOWN, 0};
        case 4:
        case 5:
        case 6:
        case 7:
          return {WM_MOUSEWHEEL, 0};
        default:
          return {0, 0};
      }
    case SaverInputKind::PointerMoved:
      return {WM_MOUSEMOVE, 0};
    case SaverInputKind::FocusLost:
      return {WM_ACTIVATEAPP, 0};  // wParam 0: this program is losing activation
  }
  return {0, 0};
}

bool saverInputCloses(const SaverInput& input, SaverHostState& host) {
  const SaverInputMessage message = saverInputMessage(input);
  if (message.message == 0) return false;
  const CloseDecision decision =
      DecideDefaultHandling(message.message, message.wParam, 0, host, input.pointer);
  if ((decision.steps & CloseStepStorePointer) != 0) host.cursorOrigin = input.pointer;
  return (decision.steps & CloseStepPostClose) != 0;
}
