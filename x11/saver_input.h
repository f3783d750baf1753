// What input reaching the X11 back end's window stands for under the shared wake rule. (The names
// differ from X's event names, which the X headers define as macros.)
#pragma once

#include <cstdint>

#include "driver/wake_rule.h"

// An X button press: 1 left, 2 middle and 3 right are buttons, 4 to 7 the wheel's four
// directions; any other number (a mouse's side buttons) stands for nothing, and false.
bool wakeInputOfButton(std::uint32_t button, WakeInputKind* kind);

// X's focus-change modes and details (FocusOut's `mode` and `detail`).
inline constexpr int kXNotifyNormal = 0;
inline constexpr int kXNotifyGrab = 1;
inline constexpr int kXNotifyUngrab = 2;
inline constexpr int kXNotifyWhileGrabbed = 3;
inline constexpr int kXNotifyInferior = 2;
inline constexpr int kXNotifyPointer = 5;

// Whether the full-screen window's FocusOut is the keyboard going to another program: not when
// the focus only moves inside the window or follows the pointer, nor when a grab ends. A grab
// that begins is a loss: a locker (xsecurelock, i3lock, xscreensaver's lock) takes the keyboard
// so, and so does a window manager's shortcut as its key goes down; no key reaches the saver
// while it lasts, and after the unlock the desktop must be there, not the saver.
bool focusOutIsLoss(int mode, int detail);
