// Input reaching the X11 saver's window, judged by the same closing rules as the Windows
// saver's: each kind of X input stands for the window message it corresponds to. (The names
// differ from X's event names, which the X headers define as macros.)
#pragma once

#include <cstdint>

#include "host/saver_host_state.h"

enum class SaverInputKind : std::uint8_t {
  KeyDown,
  ButtonDown,    // `button` is the X button number: 1 left, 2 middle, 3 right, 4 to 7 wheel
  PointerMoved,  // `pointer` is the pointer's position on the screen
  FocusLost,     // the window lost the keyboard focus to another window
};

struct SaverInput {
  SaverInputKind kind;
  std::uint32_t button;
  ScreenPoint pointer;
};

// The window message an input stands for, with its wParam; 0 when none does.
struct SaverInputMessage {
  std::uint32_t message;
  std::uintptr_t wParam;
};
SaverInputMessage saverInputMessage(const SaverInput& input);

// Whether the input ends the saver. A full-screen saver ends on a key, a left, middle or right
// button, a pointer move of more than the wake threshold from `host.cursorOrigin` (which then
// moves to the pointer) or the loss of focus; a saver drawing for someone else (host.isPreview)
// never ends on input.
bool saverInputCloses(const SaverInput& input, SaverHostState& host);
