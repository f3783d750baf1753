#include "settings/file/settings_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

SettingsFileReading parseText(const std::string& text) {
  return parseSettingsFile(text.data(), text.size());
}

SettingsFileAttempt regularFile(std::string text) {
  return SettingsFileAttempt{0, SettingsFileKind::Regular, 0, std::move(text)};
}

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
    for (int i = 0; i < StoredSettingCount; ++i)
      EXPECT_EQ(again.values[i], stored.values[i]) << text;
  }
}

TEST(SettingsFile, ByteOrderMarkCommentsBlanksCaseAndRepeatsAreAccepted) {
  const SettingsFileReading read =  // a byte-order mark, and no final newline
      parseText("\xEF\xBB\xBFspeed = 80 \r\n# mine\r\n\r\n\tColor=1\nCOLOR=4\nGlow=3");
  EXPECT_TRUE(read.problems.empty());
  const Settings settings = settingsFromStored(read.reading);
  EXPECT_FLOAT_EQ(settings.speed, 0.8f);
  EXPECT_EQ(settings.color, ColorScheme::Ruby);  // the later line counts
  EXPECT_EQ(settings.glow, GlowMode::WiresOnly);
  EXPECT_FLOAT_EQ(settings.quantity, 0.5f);  // absent: default
  EXPECT_FALSE(read.reading.values[StoredSize].present);
}

TEST(SettingsFile, BadLinesAreReportedByLineAndTakeTheDefault) {
  const SettingsFileReading read = parseText(
      "Quantity=abc\n"
      "Size=101\n"
      "Speed=-1\n"
      "Glow=99999999999999999999\n"
      "Color=\n"
      "Symmetry\n"
      "Symetry=1\n"
      "Symmetry=2\n"
      "Bogus\x1B[2J\xC3\xA9=1\n"
      "quantity=\"\\" +
      std::string(70000, '7') + "\n");
  ASSERT_EQ(read.problems.size(), 10u);
  EXPECT_EQ(read.problems[0],
            "line 1: Quantity \"abc\" is not a whole number from 0 to 100; using the default 50");
  EXPECT_EQ(read.problems[1], "line 2: Size \"101\" is outside 0 to 100; using the default 50");
  EXPECT_NE(read.problems[5].find("line 6: expected Name=value"), std::string::npos);
  EXPECT_NE(read.problems[6].find("unknown setting \"Symetry\""), std::string::npos);
  // Quoted text: control and non-ASCII bytes escaped, at most 40 bytes of it.
  EXPECT_EQ(read.problems[8], "line 9: unknown setting \"Bogus\\x1B[2J\\xC3\\xA9\"; line ignored");
  EXPECT_EQ(read.problems[9], "line 10: Quantity \"\\\"\\\\" + std::string(38, '7') +
                                  "\"... (70002 bytes) is not a whole number from 0 to 100; using "
                                  "the default 50");
  const StoredSettings stored = settingsToStored(settingsFromStored(read.reading));
  const StoredSettings defaults{{6, 2, 50, 50, 50, 0}};
  for (int i = 0; i < StoredSettingCount; ++i) EXPECT_EQ(stored.values[i], defaults.values[i]) << i;
}

TEST(SettingsFile, OverridesReplaceOnlyTheValuesGiven) {
  const SettingsFileReading read = parseText("Quantity=10\nColor=2\n");
  StoredNumber overrides[StoredSettingCount] = {};
  overrides[StoredQuantity] = StoredNumber{true, 70};
  overrides[StoredSymmetry] = StoredNumber{true, 1};
  const Settings settings = settingsFromStored(overlayStoredReading(read.reading, overrides));
  EXPECT_FLOAT_EQ(settings.quantity, 0.7f);
  EXPECT_EQ(settings.symmetry, 1);
  EXPECT_EQ(settings.color, ColorScheme::Amber);
  EXPECT_EQ(settings.glow, GlowMode::HighQuality);
}

// What the saver takes of each kind of file found at the path, and whether -save-settings may
// then replace it: only a missing file or one read whole.
TEST(SettingsFileLoad, OnlyAMissingFileOrOneReadWholeMayBeReplaced) {
  const std::string path = "/c/quellwire/settings";
  struct Case {
    SettingsFileAttempt attempt;
    SettingsFileStatus status;
    const char* problem;  // in the only message, or null for none
  };
  const Case cases[] = {
      {{ENOENT, SettingsFileKind::Regular, 0, ""}, SettingsFileStatus::Missing, nullptr},
      {regularFile("Glow=1\n"), SettingsFileStatus::Read, nullptr},
      {{EACCES, SettingsFileKind::Regular, 0, ""},
       SettingsFileStatus::Unreadable,
       "cannot read /c/quellwire/settings ("},
      {{0, SettingsFileKind::Regular, EIO, "Glow=1\n"},
       SettingsFileStatus::Unreadable,
       "cannot read"},
      {{0, SettingsFileKind::Fifo, 0, ""}, SettingsFileStatus::NotRegular, "is a FIFO"},
      {{0, SettingsFileKind::Directory, 0, ""}, SettingsFileStatus::NotRegular, "is a folder"},
      {{0, SettingsFileKind::Device, 0, ""}, SettingsFileStatus::NotRegular, "is a device"},
  };
  for (const Case& c : cases) {
    const SettingsFileLoad load = loadSettingsFile(path, c.attempt);
    EXPECT_EQ(load.status, c.status) << c.attempt.openError;
    if (c.problem == nullptr) {
      EXPECT_TRUE(load.problems.empty());
    } else {
      ASSERT_EQ(load.problems.size(), 1u);
      EXPECT_NE(load.problems[0].find(c.problem), std::string::npos) << load.problems[0];
    }
    const bool mayReplace =
        c.status == SettingsFileStatus::Missing || c.status == SettingsFileStatus::Read;
    EXPECT_EQ(settingsSaveRefusal(path, load.status).empty(), mayReplace) << load.problems.size();
    if (!mayReplace) {
      for (const StoredNumber& value : load.reading.values) EXPECT_FALSE(value.present);
    }
  }
  EXPECT_EQ(loadSettingsFile("", regularFile("Glow=1")).status, SettingsFileStatus::Missing);
}

// A file over the cap: the line the cap cuts ("Quantity=10|0") and everything after it are not
// used, and the file may not be replaced. One that ends at the cap is read whole.
TEST(SettingsFileLoad, ALineCutByTheCapIsNotUsed) {
  std::string text = "Quantity=30\n";
  text += std::string(kSettingsFileMostBytes - text.size() - 12, '#') + "\n";
  text += "Quantity=10";
  ASSERT_EQ(text.size(), kSettingsFileMostBytes);

  SettingsFileLoad load = loadSettingsFile("f", regularFile(text));
  EXPECT_EQ(load.status, SettingsFileStatus::Read);
  EXPECT_TRUE(load.problems.empty());
  EXPECT_EQ(load.reading.values[StoredQuantity].number, 10u);

  load =
      loadSettingsFile("f", regularFile(text + "0"));  // what is read of "...Quantity=100\nSpeed=1"
  EXPECT_EQ(load.status, SettingsFileStatus::TooLarge);
  ASSERT_EQ(load.problems.size(), 1u);
  EXPECT_EQ(load.problems[0], "f is larger than 64 KiB; only its first 2 lines are used");
  EXPECT_EQ(load.reading.values[StoredQuantity].number, 30u);
  EXPECT_FALSE(settingsSaveRefusal("f", load.status).empty());

  load = loadSettingsFile("f", regularFile(std::string(kSettingsFileMostBytes + 1, 'x')));
  EXPECT_EQ(load.status, SettingsFileStatus::TooLarge);
  EXPECT_EQ(load.problems.size(), 1u);  // the one cut line is not even quoted
}

}  // namespace
