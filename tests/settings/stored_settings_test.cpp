#include "settings/stored_settings.h"
#include "tests/support/settings_expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>

namespace {

constexpr std::uint32_t kAllBits = 4294967295u;

StoredReading readingWith(StoredSettingIndex index, std::uint32_t number) {
  StoredReading reading{};
  reading.values[index] = StoredNumber{true, number};
  return reading;
}

TEST(StoredSettings, NothingStoredGivesTheDefaults) {
  const Settings settings = settingsFromStored(StoredReading{});
  EXPECT_EQ(0.5f, settings.quantity);
  EXPECT_EQ(0.5f, settings.size);
  EXPECT_EQ(0.5f, settings.speed);
  EXPECT_EQ(GlowMode::HighQuality, settings.glow);
  EXPECT_EQ(ColorScheme::Cycle, settings.color);
  EXPECT_EQ(0, settings.symmetry);
}

// One stored value at a time: what it loads as, the other five keeping their defaults.
struct LimitCase {
  StoredSettingIndex index;
  std::uint32_t stored;
  std::uint32_t loaded;  // the number after the limits
};

void PrintTo(const LimitCase& c, std::ostream* out) {
  *out << kStoredSettings[c.index].name << " " << c.stored << " loads as " << c.loaded;
}

class StoredLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(StoredLimits, OneValueOutOfRangeTakesItsOwnDefault) {
  const LimitCase c = GetParam();
  Settings expected = settingsDefaults();
  const float fraction = static_cast<float>(c.loaded / 100.0);
  switch (c.index) {
    case StoredColor:
      expected.color = static_cast<ColorScheme>(c.loaded);
      break;
    case StoredGlow:
      expected.glow = static_cast<GlowMode>(c.loaded);
      break;
    case StoredQuantity:
      expected.quantity = fraction;
      break;
    case StoredSpeed:
      expected.speed = fraction;
      break;
    case StoredSize:
      expected.size = fraction;
      break;
    case StoredSymmetry:
      expected.symmetry = static_cast<std::uint8_t>(c.loaded);
      break;
    default:
      FAIL();
  }
  expectSameSettings(expected, settingsFromStored(readingWith(c.index, c.stored)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredLimits,
    ::testing::Values(LimitCase{StoredColor, 0, 0}, LimitCase{StoredColor, 6, 6},
                      LimitCase{StoredColor, 7, 6}, LimitCase{StoredColor, 256, 6},
                      LimitCase{StoredColor, kAllBits, 6}, LimitCase{StoredGlow, 0, 0},
                      LimitCase{StoredGlow, 3, 3}, LimitCase{StoredGlow, 4, 2},
                      LimitCase{StoredGlow, kAllBits, 2}, LimitCase{StoredQuantity, 0, 0},
                      LimitCase{StoredQuantity, 100, 100}, LimitCase{StoredQuantity, 101, 50},
                      LimitCase{StoredQuantity, kAllBits, 50},
                      LimitCase{StoredQuantity, 0x80000000u, 50}, LimitCase{StoredSpeed, 101, 50},
                      LimitCase{StoredSpeed, kAllBits, 50}, LimitCase{StoredSize, 101, 50},
                      LimitCase{StoredSize, kAllBits, 50}, LimitCase{StoredSymmetry, 1, 1},
                      LimitCase{StoredSymmetry, 2, 0}, LimitCase{StoredSymmetry, kAllBits, 0}));

TEST(StoredSettings, EveryWholePercentageLoadsAndStoresBackUnchanged) {
  for (std::uint32_t percent = 0; percent <= 100; ++percent) {
    StoredReading reading{};
    reading.values[StoredColor] = {true, percent % 7};
    reading.values[StoredGlow] = {true, percent % 4};
    reading.values[StoredQuantity] = {true, percent};
    reading.values[StoredSpeed] = {true, 100 - percent};
    reading.values[StoredSize] = {true, percent};
    reading.values[StoredSymmetry] = {true, percent % 2};

    const Settings settings = settingsFromStored(reading);
    EXPECT_EQ(static_cast<float>(percent) / 100.0f, settings.quantity) << percent;
    const StoredSettings stored = settingsToStored(settings);
    for (int i = 0; i < StoredSettingCount; ++i) {
      EXPECT_EQ(reading.values[i].number, stored.values[i])
          << kStoredSettings[i].name << " at " << percent;
    }
  }
}

struct FractionCase {
  float fraction;
  std::uint32_t percent;
};

void PrintTo(const FractionCase& c, std::ostream* out) {
  *out << c.fraction << " stores " << c.percent;
}

class PercentFromFraction : public ::testing::TestWithParam<FractionCase> {};

TEST_P(PercentFromFraction, RoundsToNearestAndRejectsWhatLoadingWould) {
  EXPECT_EQ(GetParam().percent, settingsPercentFromFraction(GetParam().fraction));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PercentFromFraction,
    ::testing::Values(FractionCase{0.29f, 29}, FractionCase{0.2949f, 29}, FractionCase{0.2951f, 30},
                      FractionCase{-0.004f, 0}, FractionCase{1.004f, 100}, FractionCase{1.006f, 50},
                      FractionCase{-0.006f, 50}, FractionCase{-1.0f, 50}, FractionCase{1e30f, 50},
                      FractionCase{std::numeric_limits<float>::infinity(), 50},
                      FractionCase{-std::numeric_limits<float>::infinity(), 50},
                      FractionCase{std::numeric_limits<float>::quiet_NaN(), 50}));

TEST(StoredSettings, InvalidRecordStoresOnlyNumbersWithinTheLimits) {
  Settings settings{};
  settings.quantity = std::nanf("");
  settings.size = 2.0f;
  settings.speed = -0.5f;
  settings.glow = static_cast<GlowMode>(200);
  settings.color = static_cast<ColorScheme>(7);
  settings.symmetry = 2;
  const StoredSettings stored = settingsToStored(settings);
  const std::uint32_t expected[StoredSettingCount] = {6, 2, 50, 50, 50, 0};
  for (int i = 0; i < StoredSettingCount; ++i) {
    EXPECT_EQ(expected[i], stored.values[i]) << kStoredSettings[i].name;
  }
}

// Any data of at most 4 bytes is a little-endian number; bytes past its size are never read.
struct DataCase {
  std::uint32_t size;
  bool present;
  std::uint32_t number;
};

void PrintTo(const DataCase& c, std::ostream* out) { *out << c.size << " bytes"; }

class NumberFromData : public ::testing::TestWithParam<DataCase> {};

TEST_P(NumberFromData, ShortDataIsZeroExtendedAndLongDataIsAbsent) {
  // Stale bytes past the data's size must not show in the number.
  const unsigned char data[8] = {0x01, 0x02, 0x03, 0x84, 0xAA, 0xAA, 0xAA, 0xAA};
  const StoredNumber number = settingsStoredNumberFromData(data, GetParam().size);
  EXPECT_EQ(GetParam().present, number.present);
  if (GetParam().present) {
    EXPECT_EQ(GetParam().number, number.number);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberFromData,
                         ::testing::Values(DataCase{0, true, 0}, DataCase{1, true, 0x01},
                                           DataCase{2, true, 0x0201}, DataCase{3, true, 0x030201},
                                           DataCase{4, true, 0x84030201u}, DataCase{5, false, 0},
                                           DataCase{8, false, 0}, DataCase{kAllBits, false, 0}));

}  // namespace
