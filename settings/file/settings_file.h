// The per-user settings file of the Linux program quellwire: the six stored numbers as text, one
// `Name=value` line each, with the names and the whole numbers of the stored settings:
//
//   # Quellwire settings
//   Color=6
//   Glow=2
//   Quantity=50
//   Speed=50
//   Size=50
//   Symmetry=0
//
// Blank lines and lines starting with '#' are ignored; blanks around names and values too, and a
// UTF-8 byte-order mark at the start. Names are matched without regard to case. A missing value
// takes its default; a bad or out-of-range one takes its default with a message.
//
// The file layer only opens, examines and reads the file (SettingsFileAttempt); what is used of
// it, what is reported and whether -save-settings may replace it are decided here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/stored_settings.h"

// "$XDG_CONFIG_HOME/quellwire/settings" when that variable holds an absolute path, otherwise
// "$HOME/.config/quellwire/settings"; empty when neither can be used. Either argument may be
// null (the variable is not set).
std::string settingsFilePath(const char* xdgConfigHome, const char* home);

struct SettingsFileReading {
  StoredReading reading;              // each value found, valid or replaced by its default
  std::vector<std::string> problems;  // one message per line that was not used as written
};

// Reads the text of a settings file. Unknown names, lines without '=' and bad values are
// reported; when a name appears twice the later line counts.
SettingsFileReading parseSettingsFile(const char* text, std::size_t length);

// The text of a settings file holding these six numbers, in their stored order.
std::string formatSettingsFile(const StoredSettings& settings);

// The file's values with the present ones of `overrides` (indexed by StoredSettingIndex) put
// over them: what one run of the saver uses.
StoredReading overlayStoredReading(const StoredReading& base,
                                   const StoredNumber overrides[StoredSettingCount]);

// A settings file is a few lines; a longer one is read up to this many bytes.
constexpr std::size_t kSettingsFileMostBytes = 64 * 1024;

// What kind of file the opened path is.
enum class SettingsFileKind : std::uint8_t { Regular, Directory, Fifo, Device, Other };

// What the file layer found at the settings path, without judging it.
struct SettingsFileAttempt {
  int openError;          // errno of the open; 0 when it opened
  SettingsFileKind kind;  // of the opened file; only a regular file is read
  int readError;          // errno of a failed examination or read; 0 when none failed
  std::string text;       // the bytes read: at most kSettingsFileMostBytes + 1, so a file over
                          // the cap shows as one byte more
};

enum class SettingsFileStatus : std::uint8_t {
  Missing,     // no file (or no path): the defaults, and a new file may be made
  Read,        // read whole
  Unreadable,  // could not be opened or read: the defaults
  TooLarge,    // over the cap: only the whole lines within it are used
  NotRegular,  // a folder, FIFO, device...: not read, the defaults
};

struct SettingsFileLoad {
  SettingsFileStatus status;
  StoredReading reading;              // the values used of it
  std::vector<std::string> problems;  // messages, each naming the file
};

// What one attempt at the file at `path` gives the saver. A line the cap cuts is not used, nor
// anything after it.
SettingsFileLoad loadSettingsFile(const std::string& path, const SettingsFileAttempt& attempt);

// Why -save-settings must leave a file found in `status` as it is: a file that was not read
// whole holds values this run does not know. Empty when the file may be replaced.
std::string settingsSaveRefusal(const std::string& path, SettingsFileStatus status);
