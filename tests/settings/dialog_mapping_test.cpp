#include "settings/dialog_mapping.h"
#include "tests/support/settings_expect.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "settings/dialog_system_values.h"
#include "settings/stored_settings.h"

namespace {

constexpr DialogControlValue noSelection = static_cast<DialogControlValue>(CB_ERR);
constexpr DialogControlValue checked = static_cast<DialogControlValue>(BST_CHECKED);
constexpr DialogControlValue unchecked = static_cast<DialogControlValue>(BST_UNCHECKED);

// A record as loading forms it from stored numbers.
Settings settingsOf(int quantity, int size, int speed, int glow, int color, int symmetry) {
  Settings s{};
  s.quantity = settingsFractionFromPercent(quantity);
  s.size = settingsFractionFromPercent(size);
  s.speed = settingsFractionFromPercent(speed);
  s.glow = static_cast<GlowMode>(glow);
  s.color = static_cast<ColorScheme>(color);
  s.symmetry = static_cast<std::uint8_t>(symmetry);
  return s;
}

// A combo box shows no selection for an index beyond its items, and then reports CB_ERR.
DialogControlValue listReport(DialogControlValue selected, int itemCount) {
  return selected < static_cast<DialogControlValue>(itemCount) ? selected : noSelection;
}

// What the controls report back after showing these values, as the real controls would.
DialogControls reportedBack(DialogControls shown) {
  shown.colorSelection = listReport(shown.colorSelection, kColorSchemeCount);
  shown.glowSelection = listReport(shown.glowSelection, kNamedGlowModeCount);
  return shown;
}

TEST(DialogSliderTest, EveryWholePercentageShowsAndComesBackUnchanged) {
  for (int percent = 0; percent <= 100; ++percent) {
    const float loaded = settingsFractionFromPercent(percent);
    const DialogControlValue position = dialogSliderPositionFromFraction(loaded);
    EXPECT_EQ(static_cast<DialogControlValue>(percent), position) << percent;
    EXPECT_EQ(loaded, dialogFractionFromSliderPosition(position)) << percent;
  }
}

TEST(DialogSliderTest, FractionsRoundToTheNearestPositionAndOutOfRangeShowsFifty) {
  struct Case {
    float fraction;
    DialogControlValue position;
  };
  const Case cases[] = {
      {0.29f, 29},
      {0.004f, 0},
      {0.006f, 1},
      {0.994f, 99},
      {0.996f, 100},
      {-0.004f, 0},
      {1.004f, 100},
      {-0.25f, 50},
      {1.75f, 50},
      {std::numeric_limits<float>::infinity(), 50},
      {-std::numeric_limits<float>::infinity(), 50},
      {std::numeric_limits<float>::quiet_NaN(), 50},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.position, dialogSliderPositionFromFraction(c.fraction)) << c.fraction;
  }
}

TEST(DialogSliderTest, PositionsAboveTheRangeCountAsOneHalf) {
  const DialogControlValue outOfRange[] = {101, 1000, static_cast<DialogControlValue>(-1),
                                           DialogControlValue{1} << 32};
  for (DialogControlValue position : outOfRange) {
    EXPECT_EQ(0.5f, dialogFractionFromSliderPosition(position)) << position;
  }
  EXPECT_EQ(0.0f, dialogFractionFromSliderPosition(0));
  EXPECT_EQ(1.0f, dialogFractionFromSliderPosition(100));
}

TEST(DialogListTest, SelectionsWithinTheListAreTheSettingValues) {
  for (DialogControlValue i = 0; i < kColorSchemeCount; ++i) {
    EXPECT_EQ(i, static_cast<DialogControlValue>(dialogColorFromSelection(i)));
  }
  for (DialogControlValue i = 0; i < kNamedGlowModeCount; ++i) {
    EXPECT_EQ(i, static_cast<DialogControlValue>(dialogGlowFromSelection(i)));
  }
}

TEST(DialogListTest, SelectionsBeyondTheLimitsFallBackComparedUnsigned) {
  struct Case {
    DialogControlValue selection;
    ColorScheme color;
    GlowMode glow;
  };
  constexpr ColorScheme cycle = ColorScheme::Cycle;
  constexpr GlowMode high = GlowMode::HighQuality;
  const Case cases[] = {
      {3, ColorScheme::Amethyst, GlowMode::WiresOnly},  // passes, as it does from the store
      {4, ColorScheme::Ruby, high},
      {6, cycle, high},
      {7, cycle, high},
      {noSelection, cycle, high},
      {0xFFFFFFFFu, cycle, high},
      {(DialogControlValue{1} << 32) + 1, cycle, high},  // not cut down to its low bits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.color, dialogColorFromSelection(c.selection)) << c.selection;
    EXPECT_EQ(c.glow, dialogGlowFromSelection(c.selection)) << c.selection;
  }
}

TEST(DialogCheckBoxTest, OnlyACheckedBoxTurnsSymmetryOn) {
  EXPECT_EQ(1, dialogSymmetryFromCheck(checked));
  EXPECT_EQ(0, dialogSymmetryFromCheck(unchecked));
  EXPECT_EQ(0, dialogSymmetryFromCheck(2));  // BST_INDETERMINATE
  EXPECT_EQ(0, dialogSymmetryFromCheck(static_cast<DialogControlValue>(-1)));

  EXPECT_EQ(checked, dialogControlsFromSettings(settingsOf(50, 50, 50, 2, 6, 1)).symmetryCheck);
  EXPECT_EQ(checked, dialogControlsFromSettings(settingsOf(50, 50, 50, 2, 6, 7)).symmetryCheck);
  EXPECT_EQ(unchecked, dialogControlsFromSettings(settingsOf(50, 50, 50, 2, 6, 0)).symmetryCheck);
}

TEST(DialogOpeningTest, DefaultSettingsShowCycleHighQualityHalfwayAndNoSymmetry) {
  const DialogControls shown = dialogControlsFromSettings(settingsOf(50, 50, 50, 2, 6, 0));
  EXPECT_EQ(6u, shown.colorSelection);
  EXPECT_STREQ("Cycle", kColorSchemeNames[shown.colorSelection]);
  EXPECT_EQ(2u, shown.glowSelection);
  EXPECT_STREQ("High Quality", kGlowModeNames[shown.glowSelection]);
  EXPECT_EQ(50u, shown.quantityPosition);
  EXPECT_EQ(50u, shown.sizePosition);
  EXPECT_EQ(50u, shown.speedPosition);
  EXPECT_EQ(unchecked, shown.symmetryCheck);
}

TEST(DialogOpeningTest, EachSliderShowsItsOwnSetting) {
  const DialogControls shown = dialogControlsFromSettings(settingsOf(29, 71, 3, 0, 1, 0));
  EXPECT_EQ(29u, shown.quantityPosition);
  EXPECT_EQ(71u, shown.sizePosition);
  EXPECT_EQ(3u, shown.speedPosition);
  EXPECT_EQ(1u, shown.colorSelection);
  EXPECT_EQ(0u, shown.glowSelection);
}

TEST(DialogRoundTripTest, OkWithoutChangesGivesBackWhatWasLoaded) {
  const Settings loaded[] = {
      settingsOf(50, 50, 50, 2, 6, 0), settingsOf(29, 71, 3, 0, 1, 1),
      settingsOf(0, 100, 0, 1, 0, 0),  settingsOf(100, 0, 100, 2, 5, 1),
      settingsOf(1, 99, 57, 0, 4, 0),
  };
  for (const Settings& s : loaded) {
    expectSameSettings(s, dialogSettingsFromControls(reportedBack(dialogControlsFromSettings(s))));
  }
}

TEST(DialogRoundTripTest, StoredGlowThreeShowsNoSelectionAndComesBackAsHighQuality) {
  const Settings loaded = settingsOf(40, 60, 80, 3, 2, 1);
  const DialogControls reported = reportedBack(dialogControlsFromSettings(loaded));
  EXPECT_EQ(noSelection, reported.glowSelection);

  Settings expected = loaded;
  expected.glow = GlowMode::HighQuality;
  expectSameSettings(expected, dialogSettingsFromControls(reported));
}

TEST(DialogResetTest, ResetThenOkGivesTheDefaults) {
  const DialogControls reset = dialogResetControls();
  EXPECT_EQ(unchecked, reset.symmetryCheck);
  expectSameSettings(settingsOf(50, 50, 50, 2, 6, 0), dialogSettingsFromControls(reset));
}

TEST(DialogCommandTest, OkCancelAndResetAreTheOnlyCommandsHandled) {
  EXPECT_EQ(DialogCommandOk, dialogCommandFromId(1));
  EXPECT_EQ(DialogCommandCancel, dialogCommandFromId(2));
  EXPECT_EQ(DialogCommandReset, dialogCommandFromId(1009));
  const std::uint32_t others[] = {0, 3, 1000, 1002, 1003, 1022, 1023, 1024, 0xFFFF};
  for (std::uint32_t id : others) {
    EXPECT_EQ(DialogCommandIgnored, dialogCommandFromId(id)) << id;
  }
}

}  // namespace
