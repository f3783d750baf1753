#include "x11/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

SettingsFileReading Parse(const char* text) { return parseSettingsFile(text, std::strlen(text)); }

TEST(SettingsFilePath, XdgConfigHomeWhenAbsoluteElseHomeConfig) {
  EXPECT_EQ(settingsFilePath("/x/cfg", "/home/u"), "/x/cfg/quellwire/settings");
  EXPECT_EQ(settingsFilePath("relative", "/home/u"), "/home/u/.config/quellwire/settings");
  EXPECT_EQ(settingsFilePath("", "/home/u"), "/home/u/.config/quellwire/settings");
  EXPECT_EQ(settingsFilePath(nullptr, "/home/u"), "/home/u/.config/quellwire/settings");
  EXPECT_EQ(settingsFilePath(nullptr, ""), "");
  EXPECT_EQ(settingsFilePath(nullptr, nullptr), "");
}

TEST(SettingsFile, EveryValidRecordRoundTripsThroughTheText) {
  for (std::uint32_t percent = 0; percent <= 100; ++percent) {
    StoredSettings stored{{percent % 7, percent % 4, percent, 100 - percent, percent, percent % 2}};
    const std::string text = formatSettingsFile(stored);
    const SettingsFileReading read = parseSettingsFile(text.data(), text.size());
    ASSERT_TRUE(read.problems.empty()) << text;
    const StoredSettings again = settingsToStored(settingsFromStored(read.reading));
    for (int i = 0; i < StoredSettingCount; ++i) EXPECT_EQ(again.values[i], stored.values[i]) << text;
  }
}

TEST(SettingsFile, CommentsBlanksCarriageReturnsAndRepeatsAreAccepted) {
  const SettingsFileReading read =
      Parse("# mine\r\n\r\n  Speed = 80 \r\n\tColor=1\nColor=4\nGlow=3");  // no final newline
  EXPECT_TRUE(read.problems.empty());
  const Settings settings = settingsFromStored(read.reading);
  EXPECT_FLOAT_EQ(settings.speed, 0.8f);
  EXPECT_EQ(settings.color, ColorRuby);  // the later line counts
  EXPECT_EQ(settings.glow, 3);
  EXPECT_FLOAT_EQ(settings.quantity, 0.5f);  // absent: default
  EXPECT_FALSE(read.reading.values[StoredSize].present);
}

TEST(SettingsFile, BadLinesAreReportedByLineAndTakeTheDefault) {
  const SettingsFileReading read = Parse(
      "Quantity=abc\n"
      "Size=101\n"
      "Speed=-1\n"
      "Glow=99999999999999999999\n"
      "Color=\n"
      "Symmetry\n"
      "symmetry=1\n"
      "Symmetry=2\n");
  ASSERT_EQ(read.problems.size(), 8u);
  EXPECT_EQ(read.problems[0],
            "line 1: Quantity \"abc\" is not a whole number from 0 to 100; using the default 50");
  EXPECT_EQ(read.problems[1], "line 2: Size \"101\" is outside 0 to 100; using the default 50");
  EXPECT_NE(read.problems[5].find("line 6: expected Name=value"), std::string::npos);
  EXPECT_NE(read.problems[6].find("unknown setting \"symmetry\""), std::string::npos);
  const StoredSettings stored = settingsToStored(settingsFromStored(read.reading));
  const StoredSettings defaults{{6, 2, 50, 50, 50, 0}};
  for (int i = 0; i < StoredSettingCount; ++i) EXPECT_EQ(stored.values[i], defaults.values[i]) << i;
}

TEST(SettingsFile, OverridesReplaceOnlyTheValuesGiven) {
  const SettingsFileReading read = Parse("Quantity=10\nColor=2\n");
  StoredNumber overrides[StoredSettingCount] = {};
  overrides[StoredQuantity] = StoredNumber{true, 70};
  overrides[StoredSymmetry] = StoredNumber{true, 1};
  const Settings settings = settingsFromStored(overlayStoredReading(read.reading, overrides));
  EXPECT_FLOAT_EQ(settings.quantity, 0.7f);
  EXPECT_EQ(settings.symmetry, 1);
  EXPECT_EQ(settings.color, ColorAmber);
  EXPECT_EQ(settings.glow, GlowHighQuality);
}

}  // namespace
