#include "settings/file/setting_text.h"

#include <cstring>
#include <strings.h>

#include "settings/file/decimal_number.h"
#include "settings/glow_and_color.h"

SettingTextValue readSettingText(StoredSettingIndex index, const char* text, std::size_t length) {
  const std::uint32_t fallback = kStoredSettings[index].defaultNumber;
  const DecimalNumber read = readDecimalNumber(text, length, DecimalBlanksAround | DecimalSigned);
  if (read.check == DecimalCheck::NotANumber) return {SettingTextCheck::NotANumber, fallback};
  if (read.check == DecimalCheck::TooLarge || (read.negative && read.number != 0) ||
      read.number > kStoredSettings[index].maximum) {
    return {SettingTextCheck::OutOfRange, fallback};
  }
  return {SettingTextCheck::Valid, read.number};
}

std::string quotedText(const char* text, std::size_t length) {
  static const char kHex[] = "0123456789ABCDEF";
  const std::size_t shown = length < kQuotedTextBytes ? length : kQuotedTextBytes;
  std::string quoted = "\"";
  for (std::size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      quoted += "\\x";
      quoted += kHex[c >> 4];
      quoted += kHex[c & 0xF];
    } else {
      quoted += static_cast<char>(c);
    }
  }
  quoted += '"';
  if (shown < length) quoted += "... (" + std::to_string(length) + " bytes)";
  return quoted;
}

std::string settingTextProblem(const char* label, StoredSettingIndex index, const std::string& text,
                               SettingTextCheck check) {
  std::string message = std::string(label) + " " + quotedText(text) + " is ";
  message += check == SettingTextCheck::NotANumber ? "not a whole number from" : "outside";
  message += " 0 to " + std::to_string(kStoredSettings[index].maximum);
  message += "; using the default " + std::to_string(kStoredSettings[index].defaultNumber);
  return message;
}

SettingTextValue readSettingValue(StoredSettingIndex index, const char* text) {
  if (index == StoredColor) {
    for (int i = 0; i < kColorSchemeCount; ++i) {
      if (strcasecmp(text, kColorSchemeNames[i]) == 0) {
        return {SettingTextCheck::Valid, static_cast<std::uint32_t>(i)};
      }
    }
  }
  return readSettingText(index, text, std::strlen(text));
}
