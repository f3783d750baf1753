#include "settings/stored_settings.h"

#include <cmath>

const char* const kStoredSettingNames[StoredSettingCount] = {
    "Color", "Glow", "Quantity", "Speed", "Size", "Symmetry",
};

const std::uint32_t kStoredSettingDefaults[StoredSettingCount] = {
    static_cast<std::uint32_t>(ColorScheme::Cycle),
    static_cast<std::uint32_t>(GlowMode::HighQuality),
    kSettingsDefaultPercent,
    kSettingsDefaultPercent,
    kSettingsDefaultPercent,
    0,
};

// Glow 3 (WiresOnly) is accepted, although the dialog offers no entry.
const std::uint32_t kStoredSettingMaximums[StoredSettingCount] = {
    static_cast<std::uint32_t>(ColorScheme::Cycle),
    static_cast<std::uint32_t>(GlowMode::WiresOnly),
    100,
    100,
    100,
    1,
};

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
  return number <= kStoredSettingMaximums[index] ? number : kStoredSettingDefaults[index];
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
    numbers[i] =
        value.present ? settingsLimitStoredNumber(index, value.number) : kStoredSettingDefaults[i];
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
  stored.values[StoredColor] =
      settingsLimitStoredNumber(StoredColor, static_cast<std::uint32_t>(settings.color));
  stored.values[StoredGlow] =
      settingsLimitStoredNumber(StoredGlow, static_cast<std::uint32_t>(settings.glow));
  stored.values[StoredQuantity] = settingsPercentFromFraction(settings.quantity);
  stored.values[StoredSpeed] = settingsPercentFromFraction(settings.speed);
  stored.values[StoredSize] = settingsPercentFromFraction(settings.size);
  stored.values[StoredSymmetry] = settingsLimitStoredNumber(StoredSymmetry, settings.symmetry);
  return stored;
}
