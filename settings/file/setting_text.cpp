#include "settings/file/setting_text.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

SettingTextValue readSettingText(StoredSettingIndex index, const char* text, std::size_t length) {
  const std::uint32_t fallback = kStoredSettingDefaults[index];
  std::size_t begin = 0;
  std::size_t end = length;
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;

  bool negative = false;
  if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
    negative = text[begin] == '-';
    ++begin;
  }
  if (begin == end) return {SettingTextCheck::NotANumber, fallback};

  // Counted in 64 bits and stopped early, so no length of digits can overflow.
  std::uint64_t number = 0;
  bool tooLarge = false;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return {SettingTextCheck::NotANumber, fallback};
    if (!tooLarge) {
      number = number * 10 + static_cast<std::uint64_t>(c - '0');
      tooLarge = number > 0xFFFFFFFFull;
    }
  }
  if (tooLarge || (negative && number != 0) || number > kStoredSettingMaximums[index]) {
    return {SettingTextCheck::OutOfRange, fallback};
  }
  return {SettingTextCheck::Valid, static_cast<std::uint32_t>(number)};
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

std::string settingTextProblem(const char* label, StoredSettingIndex index,
                               const std::string& text, SettingTextCheck check) {
  std::string message = std::string(label) + " " + quotedText(text) + " is ";
  message += check == SettingTextCheck::NotANumber ? "not a whole number from" : "outside";
  message += " 0 to " + std::to_string(kStoredSettingMaximums[index]);
  message += "; using the default " + std::to_string(kStoredSettingDefaults[index]);
  return message;
}
