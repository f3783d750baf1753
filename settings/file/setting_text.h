// One setting's number as written by a person: in the settings file or after a command-line
// option. The same whole numbers, ranges and defaults as the stored settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/stored_settings.h"

enum class SettingTextCheck : std::uint8_t {
  Valid,       // a whole number within the setting's range
  NotANumber,  // empty, or anything but decimal digits
  OutOfRange,  // a whole number (or a negative one) outside the setting's range
};

struct SettingTextValue {
  SettingTextCheck check;
  std::uint32_t number;  // the number when valid, otherwise the setting's default
};

// Reads `length` characters of `text` as the number of setting `index`. Leading and trailing
// blanks are ignored; a leading '+' or '-' is accepted, so "-1" is a number out of range.
SettingTextValue readSettingText(StoredSettingIndex index, const char* text, std::size_t length);

// The same for a whole nul-terminated value as an option or an address gives it, where a colour
// scheme may also be named (in any case: "ruby", "Ruby").
SettingTextValue readSettingValue(StoredSettingIndex index, const char* text);

// How a message quotes text a person wrote: in double quotes, at most its first
// kQuotedTextBytes bytes, and when there is more `...` and the whole length, e.g.
// `"Quantity=1111111111111111111111111111111"... (70000 bytes)`. A byte outside printable
// ASCII is written \xNN, a quote \" and a backslash \\, so no control byte reaches a terminal.
constexpr std::size_t kQuotedTextBytes = 40;
std::string quotedText(const char* text, std::size_t length);
inline std::string quotedText(const std::string& text) {
  return quotedText(text.data(), text.size());
}

// The message for a value that was not valid, naming it by `label` (the setting's name or its
// option), e.g. `-wires "abc" is not a whole number from 0 to 100; using the default 50`.
std::string settingTextProblem(const char* label, StoredSettingIndex index, const std::string& text,
                               SettingTextCheck check);
