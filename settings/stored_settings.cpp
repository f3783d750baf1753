#include "settings/stored_settings.h"

#include <cmath>

namespace {

constexpr std::uint32_t numberOf(ColorScheme scheme) { return static_cast<std::uint32_t>(scheme); }
constexpr std::uint32_t numberOf(GlowMode mode) { return static_cast<std::uint32_t>(mode); }

}  // namespace

// Glow takes WiresOnly, although the dialog offers no entry for it.
// clang-format off
const StoredSetting kStoredSettings[StoredSettingCount] = {
    // name       default                          maximum
    {"Color",     numberOf(ColorScheme::Cycle),    numberOf(ColorScheme::Cycle)},
    {"Glow",      numberOf(GlowMode::HighQuality), numberOf(GlowMode::WiresOnly)},
    {"Quantity",  kSettingsDefaultPercent,         100},
    {"Speed",     kSettingsDefaultPercent,         100},
    {"Size",      kSettingsDefaultPercent,         100},
    {"Symmetry",  0,                               1},
};
// clang-format on

Settings settingsDefaults() {
  StoredReading nothing{};
  return settingsFromStored(nothing);
}

StoredNumber settingsStoredNumberFromData(const unsigned char* data, std::uint32_t size) {
  if (size > kStoredSettingDataSize) {
    return StoredNumber{false, 0};
  }
  std::uint32_t number = 0;
  for (std::uint32_t i = 0; i < size; ++i) {
    number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
  }
  return StoredNumber{true, number};
}

std::uint32_t settingsLimitStoredNumber(StoredSettingIndex index, std::uint32_t number) {
  const StoredSetting& setting = kStoredSettings[index];
  return number <= setting.maximum ? number : setting.defaultNumber;
}

float settingsFractionFromPercent(std::uint32_t percent) {
  return static_cast<float>(static_cast<double>(percent) / 100.0);
}

std::uint32_t settingsPercentFromFraction(float fraction) {
  const double percent = std::floor(static_cast<double>(fraction) * 100.0 + 0.5);
  // Written so that NaN fails the test too.
  if (!(percent >= 0.0 && percent <= 100.0)) {
    return kSettingsDefaultPercent;
  }
  return static_cast<std::uint32_t>(percent);
}

Settings settingsFromStored(const StoredReading& reading) {
  std::uint32_t numbers[StoredSettingCount];
  for (int i = 0; i < StoredSettingCount; ++i) {
    const StoredNumber& value = reading.values[i];
    const StoredSettingIndex index = static_cast<StoredSettingIndex>(i);
    numbers[i] = value.present ? settingsLimitStoredNumber(index, value.number)
                               : kStoredSettings[i].defaultNumber;
  }
  Settings settings{};
  settings.quantity = settingsFractionFromPercent(numbers[StoredQuantity]);
  settings.size = settingsFractionFromPercent(numbers[StoredSize]);
  settings.speed = settingsFractionFromPercent(numbers[StoredSpeed]);
  settings.glow = static_cast<GlowMode>(numbers[StoredGlow]);
  settings.color = static_cast<ColorScheme>(numbers[StoredColor]);
  settings.symmetry = static_cast<std::uint8_t>(numbers[StoredSymmetry]);
  return settings;
}

StoredSettings settingsToStored(const Settings& settings) {
  StoredSettings stored{};
  stored.values[StoredColor] = settingsLimitStoredNumber(StoredColor, numberOf(settings.color));
  stored.values[StoredGlow] = settingsLimitStoredNumber(StoredGlow, numberOf(settings.glow));
  stored.values[StoredQuantity] = settingsPercentFromFraction(settings.quantity);
  stored.values[StoredSpeed] = settingsPercentFromFraction(settings.speed);
  stored.values[StoredSize] = settingsPercentFromFraction(settings.size);
  stored.values[StoredSymmetry] = settingsLimitStoredNumber(StoredSymmetry, settings.symmetry);
  return stored;
}
