// quellwire's command line (X11 and Wayland alike), in the style of the hacks that xscreensaver
// runs: single-dash words, a number after the options that take one (`-wires 70`), `-no-` before a
// flag to turn it off. A double dash is accepted as well (`--wires 70`).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/stored_settings.h"

// Where the saver draws.
enum class SaverTarget : std::uint8_t {
  OwnWindow,    // a window of its own (the default); ends when it is closed
  FullScreen,   // a window over the whole screen that ends on input, as the Windows saver does
  RootWindow,   // the root window, or the window xscreensaver names; ends when told or it goes
  GivenWindow,  // a window made by another program; ends when told or that window goes
  Background,   // (Wayland) the background layer of every output; ends when told
};

// -x11 or -wayland, or neither (program/display_choice decides).
enum class DisplayRequest : std::uint8_t { Either, X11, Wayland };

struct SaverOptions {
  SaverTarget target;
  bool targetChosen;  // -window, -fullscreen, -root, -window-id or -background was given
  DisplayRequest displayRequest;  // -x11 or -wayland
  std::uint64_t windowId;         // the window to draw into (GivenWindow)
  bool showFps;                   // overlay the frame rate
  bool saveSettings;              // write the settings file and end, drawing nothing
  std::uint32_t frameLimit;       // end after this many frames; 0 runs until told to end
  std::string displayName;        // the X display; empty means $DISPLAY
  StoredNumber overrides[StoredSettingCount];  // per-run values, indexed by StoredSettingIndex
};

enum class OptionsOutcome : std::uint8_t {
  Run,       // go on with `options`
  ShowHelp,  // -help: print the usage text and end with 0
  Error,     // print `error` and the usage text and end with 1
};

struct OptionsParse {
  OptionsOutcome outcome;
  SaverOptions options;
  std::string error;                  // for Error
  std::vector<std::string> warnings;  // bad setting values, each replaced by its default
};

// Parses the arguments after the program name. A setting option with a bad value is not an
// error: the value becomes the setting's default and a warning says so.
OptionsParse parseSaverOptions(int argumentCount, const char* const* arguments);

// A window identifier as xscreensaver and X tools write it: decimal, or hexadecimal after 0x.
// False for anything else, 0 included.
bool parseWindowId(const char* text, std::uint64_t* windowId);

// Where to draw once the environment is known: an explicit -window-id wins; xscreensaver's
// window in XSCREENSAVER_WINDOW (`environmentWindow`, null when not set) is used with -root or
// when no target was asked for. A bad environment value is ignored with a warning.
void applySaverWindowEnvironment(SaverOptions& options, const char* environmentWindow,
                                 std::vector<std::string>& warnings);

// The usage text, one option a line.
const char* saverUsageText();

// The manual page (section 6, in the man macros of troff): the same options, in the same order
// and words as the usage text, among what a user needs to know to start the saver. `version` and
// `date` go in its header.
std::string saverManualPage(const char* version, const char* date);
