// What becomes of the saver's window once the saver has stopped drawing in it. A window of its
// own is destroyed. A borrowed one (the root window, xscreensaver's or a locker's window, one
// given with -window-id) belongs to someone else and must not keep the saver's last frame: it is
// cleared to its own background (a colour, the desktop's picture), and whoever draws in it is
// told to draw again (exposure events), which also covers a window without a background of its
// own. A window that is gone needs neither.
#pragma once

#include <cstdint>

enum class WindowHandback : std::uint8_t {
  Nothing,            // the window is gone
  Destroy,            // the saver's own window
  ShowOwnBackground,  // a borrowed window, cleared to its background and exposed
};

WindowHandback windowHandbackOf(bool ownWindow, bool windowGone);
