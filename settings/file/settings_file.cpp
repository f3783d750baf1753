#include "settings/file/settings_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>

#include "settings/file/decimal_number.h"
#include "settings/file/setting_text.h"

namespace {

std::string trimmed(const char* begin, const char* end) {
  trimTextBlanks(begin, end);
  return std::string(begin, end);
}

int storedIndexOf(const std::string& name) {
  for (int i = 0; i < StoredSettingCount; ++i) {
    if (strcasecmp(name.c_str(), kStoredSettings[i].name) == 0) return i;
  }
  return -1;
}

std::string lineProblem(int lineNumber, const std::string& text) {
  return "line " + std::to_string(lineNumber) + ": " + text;
}

}  // namespace

std::string settingsFilePath(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    return std::string(xdgConfigHome) + "/quellwire/settings";
  }
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/quellwire/settings";
  return std::string();
}

SettingsFileReading parseSettingsFile(const char* text, std::size_t length) {
  SettingsFileReading result{};
  const char* const end = text + length;
  static const char kByteOrderMark[] = "\xEF\xBB\xBF";
  if (length >= 3 && std::memcmp(text, kByteOrderMark, 3) == 0) text += 3;
  int lineNumber = 0;
  for (const char* line = text; line < end;) {
    const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', end - line));
    if (lineEnd == nullptr) lineEnd = end;
    ++lineNumber;

    const std::string content = trimmed(line, lineEnd);
    line = lineEnd < end ? lineEnd + 1 : end;
    if (content.empty() || content[0] == '#') continue;

    const std::size_t equals = content.find('=');
    if (equals == std::string::npos) {
      result.problems.push_back(lineProblem(
          lineNumber, "expected Name=value, found " + quotedText(content) + "; line ignored"));
      continue;
    }
    const std::string name = trimmed(content.data(), content.data() + equals);
    const std::string value = trimmed(content.data() + equals + 1, content.data() + content.size());
    const int index = storedIndexOf(name);
    if (index < 0) {
      result.problems.push_back(
          lineProblem(lineNumber, "unknown setting " + quotedText(name) + "; line ignored"));
      continue;
    }
    const StoredSettingIndex setting = static_cast<StoredSettingIndex>(index);
    const SettingTextValue read = readSettingText(setting, value.data(), value.size());
    if (read.check != SettingTextCheck::Valid) {
      result.problems.push_back(lineProblem(
          lineNumber, settingTextProblem(kStoredSettings[index].name, setting, value, read.check)));
    }
    result.reading.values[index] = StoredNumber{true, read.number};
  }
  return result;
}

std::string formatSettingsFile(const StoredSettings& settings) {
  std::string text = "# Quellwire settings: Name=value, whole numbers\n";
  for (int i = 0; i < StoredSettingCount; ++i) {
    text += kStoredSettings[i].name;
    text += '=';
    text += std::to_string(settings.values[i]);
    text += '\n';
  }
  return text;
}

StoredReading overlayStoredReading(const StoredReading& base,
                                   const StoredNumber overrides[StoredSettingCount]) {
  StoredReading reading = base;
  for (int i = 0; i < StoredSettingCount; ++i) {
    if (overrides[i].present) reading.values[i] = overrides[i];
  }
  return reading;
}

SettingsFileLoad loadSettingsFile(const std::string& path, const SettingsFileAttempt& attempt) {
  SettingsFileLoad load{};
  if (path.empty() || attempt.openError == ENOENT) {
    load.status = SettingsFileStatus::Missing;
    return load;
  }
  const int error = attempt.openError != 0 ? attempt.openError : attempt.readError;
  if (error != 0) {
    load.status = SettingsFileStatus::Unreadable;
    load.problems.push_back("cannot read " + path + " (" + std::strerror(error) +
                            "); using the defaults");
    return load;
  }
  if (attempt.kind != SettingsFileKind::Regular) {
    const char* kind = attempt.kind == SettingsFileKind::Directory ? "a folder"
                       : attempt.kind == SettingsFileKind::Fifo    ? "a FIFO"
                       : attempt.kind == SettingsFileKind::Device  ? "a device"
                                                                   : "a special file";
    load.status = SettingsFileStatus::NotRegular;
    load.problems.push_back(path + " is " + kind + ", not a settings file; using the defaults");
    return load;
  }

  std::size_t used = attempt.text.size();
  load.status = SettingsFileStatus::Read;
  if (used > kSettingsFileMostBytes) {
    // Only the lines that end within the cap: a cut "Quantity=100" must not count as 10.
    const std::size_t lastEnd = attempt.text.rfind('\n', kSettingsFileMostBytes - 1);
    used = lastEnd == std::string::npos ? 0 : lastEnd + 1;
    const auto lines = std::count(attempt.text.begin(), attempt.text.begin() + used, '\n');
    load.status = SettingsFileStatus::TooLarge;
    load.problems.push_back(path + " is larger than " +
                            std::to_string(kSettingsFileMostBytes / 1024) +
                            " KiB; only its first " + std::to_string(lines) + " lines are used");
  }
  SettingsFileReading parsed = parseSettingsFile(attempt.text.data(), used);
  load.reading = parsed.reading;
  for (const std::string& problem : parsed.problems) load.problems.push_back(path + ", " + problem);
  return load;
}

std::string settingsSaveRefusal(const std::string& path, SettingsFileStatus status) {
  switch (status) {
    case SettingsFileStatus::Missing:
    case SettingsFileStatus::Read:
      return std::string();
    case SettingsFileStatus::Unreadable:
      return "not saved: " + path + " could not be read, so the settings in it are kept";
    case SettingsFileStatus::TooLarge:
      return "not saved: " + path + " was not read whole, so it is kept as it is";
    case SettingsFileStatus::NotRegular:
      return "not saved: " + path + " is not a regular file, so it is left as it is";
  }
  return "not saved: " + path + " is left as it is";
}
