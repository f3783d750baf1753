// The per-user settings file of the X11 saver: the six stored numbers as text, one
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
// Blank lines and lines starting with '#' are ignored; blanks around names and values too. A
// missing value takes its default; a bad or out-of-range one takes its default with a message.
#pragma once

#include <cstddef>
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
