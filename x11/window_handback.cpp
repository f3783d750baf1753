#include "x11/window_handback.h"

WindowHandback windowHandbackOf(bool ownWindow, bool windowGone) {
  if (windowGone) return WindowHandback::Nothing;
  return ownWindow ? WindowHandback::Destroy : WindowHandback::ShowOwnBackground;
}
