// Reading and writing the settings file on disk; the text itself is x11/settings_file.h's.
#pragma once

#include <string>
#include <vector>

#include "settings/stored_settings.h"

// Reads the file at `path`: a file that does not exist, or an empty path, gives nothing stored
// and no problem; one that cannot be read gives nothing stored and a problem.
StoredReading ReadSettingsFile(const std::string& path, std::vector<std::string>& problems);

// Writes the six numbers to `path`, making its folders as needed; the file is replaced whole
// or not at all. False, with a problem, when that fails.
bool WriteSettingsFile(const std::string& path, const StoredSettings& settings,
                       std::vector<std::string>& problems);
