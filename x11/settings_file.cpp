#include "x11/settings_file.h"

#include <cstring>

#include "x11/setting_text.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string trimmed(const char* begin, const char* end) {
  while (begin < end && isBlank(*begin)) ++begin;
  while (end > begin && isBlank(end[-1])) --end;
  return std::string(begin, end);
}

int storedIndexOf(const std::string& name) {
  for (int i = 0; i < StoredSettingCount; ++i) {
    if (name == kStoredSettingNames[i]) return i;
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
      result.problems.push_back(lineProblem(lineNumber, "expected Name=value, found \"" +
                                                            content + "\"; line ignored"));
      continue;
    }
    const std::string name = trimmed(content.data(), content.data() + equals);
    const std::string value = trimmed(content.data() + equals + 1, content.data() + content.size());
    const int index = storedIndexOf(name);
    if (index < 0) {
      result.problems.push_back(lineProblem(lineNumber, "unknown setting \"" + name +
                                                            "\"; line ignored"));
      continue;
    }
    const StoredSettingIndex setting = static_cast<StoredSettingIndex>(index);
    const SettingTextValue read = readSettingText(setting, value.data(), value.size());
    if (read.check != SettingTextCheck::Valid) {
      result.problems.push_back(lineProblem(lineNumber, settingTextProblem(name.c_str(), setting,
                                                                           value, read.check)));
    }
    result.reading.values[index] = StoredNumber{true, read.number};
  }
  return result;
}

std::string formatSettingsFile(const StoredSettings& settings) {
  std::string text = "# Quellwire settings: Name=value, whole numbers\n";
  for (int i = 0; i < StoredSettingCount; ++i) {
    text += kStoredSettingNames[i];
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
