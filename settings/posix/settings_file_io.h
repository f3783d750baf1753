// Reading and writing the settings file on disk (POSIX calls only); what the text means, and what
// is done with a file that is missing, unreadable, too large or not a regular file, is
// settings/file/settings_file.h's.
#pragma once

#include <string>
#include <vector>

#include "settings/stored_settings.h"
#include "settings/file/settings_file.h"

// Opens the file at `path` without blocking (a FIFO or a device there must not hold the saver),
// examines what was opened and reads it only when it is a regular file, at most one byte past
// the cap.
SettingsFileAttempt ExamineSettingsFile(const std::string& path);

// Replaces the file at `path` with the six numbers, making its folders as needed: written to a
// new file in the same folder, flushed and renamed over the old one, so the file is replaced
// whole or not at all; an existing file's permissions are kept. The file is examined first and
// left as it is when it could not be read whole or is not a regular file. False, with a
// problem, when nothing was saved.
bool WriteSettingsFile(const std::string& path, const StoredSettings& settings,
                       std::vector<std::string>& problems);
