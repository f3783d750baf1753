#include "web/page_address.h"

#include <cctype>
#include <cstring>

#include "settings/file/decimal_number.h"
#include "settings/file/setting_text.h"
#include "settings/glow_and_color.h"

namespace {

// The pair names of the six settings, indexed by StoredSettingIndex.
constexpr const char* kPairNames[StoredSettingCount] = {"color", "glow",   "wires",
                                                        "speed", "length", "symmetry"};
constexpr std::size_t kLongestValue = 32;

bool Named(const char* name, std::size_t length, const char* word) {
  return std::strlen(word) == length && std::strncmp(name, word, length) == 0;
}

bool ReadWhole(const char* text, std::size_t length, std::uint32_t& number) {
  const DecimalNumber read = readDecimalNumber(text, length, DecimalDigitsOnly);
  if (read.check != DecimalCheck::Valid) return false;
  number = read.number;
  return true;
}

// False when the pair is none of the page's.
bool ReadPair(PageAddress& address, const char* name, std::size_t nameLength, const char* value,
              std::size_t valueLength) {
  for (int i = 0; i < StoredSettingCount; ++i) {
    if (!Named(name, nameLength, kPairNames[i])) continue;
    // Too long for any valid value: it stays in no buffer and gives the default.
    char text[kLongestValue + 1] = {};
    if (valueLength <= kLongestValue) std::memcpy(text, value, valueLength);
    const SettingTextValue read = readSettingValue(static_cast<StoredSettingIndex>(i),
                                                   valueLength <= kLongestValue ? text : "");
    address.reading.values[i] = StoredNumber{true, read.number};
    address.namesSettings = true;
    return true;
  }
  if (Named(name, nameLength, "seed")) {
    address.seedGiven = ReadWhole(value, valueLength, address.seed);
  } else if (Named(name, nameLength, "still")) {
    address.stillGiven =
        ReadWhole(value, valueLength, address.stillMs) && address.stillMs <= kPageStillMostMs;
  } else {
    return false;
  }
  return true;
}

}  // namespace

PageAddress readPageAddress(const char* query, std::size_t length) {
  PageAddress address{};
  std::size_t start = 0;
  while (start < length) {
    std::size_t end = start;
    while (end < length && query[end] != '&') ++end;
    std::size_t equals = start;
    while (equals < end && query[equals] != '=') ++equals;
    const bool ours = equals < end && ReadPair(address, query + start, equals - start,
                                               query + equals + 1, end - equals - 1);
    if (!ours && end > start) {
      if (!address.otherPairs.empty()) address.otherPairs += '&';
      address.otherPairs.append(query + start, end - start);
    }
    start = end + 1;
  }
  return address;
}

std::string pageAddressQuery(const StoredSettings& settings, const PageAddress& fixed) {
  std::string query;
  for (int i = 0; i < StoredSettingCount; ++i) {
    if (i > 0) query += '&';
    query += kPairNames[i];
    query += '=';
    const std::uint32_t number = settings.values[i];
    if (i == StoredColor && number < static_cast<std::uint32_t>(kColorSchemeCount)) {
      for (const char* c = kColorSchemeNames[number]; *c != '\0'; ++c) {
        query += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
      }
    } else {
      query += std::to_string(number);
    }
  }
  if (fixed.seedGiven) query += "&seed=" + std::to_string(fixed.seed);
  if (fixed.stillGiven) query += "&still=" + std::to_string(fixed.stillMs);
  if (!fixed.otherPairs.empty()) query += '&' + fixed.otherPairs;
  return query;
}

Settings pageStartSettings(const PageAddress& address, const PageAddress& remembered) {
  if (address.namesSettings) return settingsFromStored(address.reading);
  if (remembered.namesSettings) return settingsFromStored(remembered.reading);
  return settingsDefaults();
}
