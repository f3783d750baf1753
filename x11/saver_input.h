// What input reaching the X11 back end's window stands for under the shared wake rule. (The names
// differ from X's event names, which the X headers define as macros.)
#pragma once

#include <cstdint>

#include "driver/wake_rule.h"

// An X button press: 1 left, 2 middle and 3 right are buttons, 4 to 7 the wheel's four
// directions; any other number (a mouse's side buttons) stands for nothing, and false.
bool wakeInputOfButton(std::uint32_t button, WakeInputKind* kind);
