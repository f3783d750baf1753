#include "x11/saver_input.h"

bool wakeInputOfButton(std::uint32_t button, WakeInputKind* kind) {
  if (button >= 1 && button <= 3) {
    *kind = WakeInputKind::ButtonDown;
    return true;
  }
  if (button >= 4 && button <= 7) {
    *kind = WakeInputKind::WheelTurned;
    return true;
  }
  return false;
}

bool focusOutIsLoss(int mode, int detail) {
  if (mode == kXNotifyUngrab) return false;
  return detail != kXNotifyInferior && detail != kXNotifyPointer;
}
