// The stored form of the six settings and the conversions between it and the Settings record.
//
// The store holds six unsigned 32-bit numbers under the names below, always read and written in
// this order. "Quantity", "Speed" and "Size" are whole percentages; "Glow", "Color" and
// "Symmetry" are the record's numbers themselves. Everything here is pure: the registry (or any
// other per-user store) only moves these numbers in and out.
#pragma once

#include <cstdint>

#include "settings/settings.h"

// Key of the settings under the current user's registry root.
constexpr const char kSettingsKeyPath[] = "Software\\Orvane\\Quellwire";

// The six stored values, in the order in which they are read and written.
enum StoredSettingIndex : int {
  StoredColor = 0,
  StoredGlow,
  StoredQuantity,
  StoredSpeed,
  StoredSize,
  StoredSymmetry,
  StoredSettingCount,
};

// One stored value: its name, the number it takes when absent, and the largest number it
// accepts; anything above that (compared unsigned, so a negative number too) takes the default.
struct StoredSetting {
  const char* name;
  std::uint32_t defaultNumber;
  std::uint32_t maximum;
};

// The six values, indexed by StoredSettingIndex: Color (default 6, Cycle), Glow (2,
// HighQuality), Quantity, Speed and Size (50 each) and Symmetry (0).
extern const StoredSetting kStoredSettings[StoredSettingCount];

// The default of the three percentages, and what a percentage out of range becomes.
constexpr std::uint32_t kSettingsDefaultPercent = 50;

// The most data bytes a stored value may have; larger data does not hold a setting.
constexpr std::uint32_t kStoredSettingDataSize = 4;

// One value as read from the store: absent, or a 32-bit number.
struct StoredNumber {
  bool present;
  std::uint32_t number;
};

// What one read of the store found, indexed by StoredSettingIndex.
struct StoredReading {
  StoredNumber values[StoredSettingCount];
};

// The six numbers to store, indexed by StoredSettingIndex.
struct StoredSettings {
  std::uint32_t values[StoredSettingCount];
};

// The record every setting falls back to: quantity, size and speed 0.5, glow 2 (HighQuality),
// color 6 (Cycle), symmetry 0.
Settings settingsDefaults();

// A stored value's data, whatever its type, as a number: the first `size` bytes of `data` are
// the low-order bytes of a little-endian number and any missing high-order bytes are zero, so
// 1 to 3 bytes give a small number and no bytes at all give 0. Bytes of `data` beyond `size`
// are never looked at. Data of more than 4 bytes holds no number and counts as absent.
StoredNumber settingsStoredNumberFromData(const unsigned char* data, std::uint32_t size);

// A stored number after its limits: the number itself when it is within 0..maximum of its
// value, otherwise the value's default.
std::uint32_t settingsLimitStoredNumber(StoredSettingIndex index, std::uint32_t number);

// A whole percentage as a fraction, formed in double precision and rounded to float:
// 29 gives 0.29f. Used by the loading, the dialog's sliders and the trace tool alike.
float settingsFractionFromPercent(std::uint32_t percent);

// A fraction as the nearest whole percentage, formed in double precision so that any
// percentage turned into a fraction comes back unchanged (0.29f gives 29, although 0.29f × 100
// is slightly below 29). A fraction whose percentage is not within 0..100, NaN included, gives
// the default 50, as loading it back would.
std::uint32_t settingsPercentFromFraction(float fraction);

// A valid record from whatever the store held: absent values take their defaults, then every
// value passes its limits one at a time, and the percentages become fractions.
Settings settingsFromStored(const StoredReading& reading);

// The six numbers that store a record. Each passes the same limits as loading, so even a
// record that is not valid never puts an out-of-range number in the store; for a valid record
// loading the result gives the same record back.
StoredSettings settingsToStored(const Settings& settings);
