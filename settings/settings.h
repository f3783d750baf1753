// The six user settings in memory: one record for the whole process.
#pragma once

#include <cstdint>

// Glow quality. 3 is accepted from the store and shows the wires without a halo.
enum GlowMode : std::uint8_t {
  GlowNone = 0,
  GlowLowQuality = 1,
  GlowHighQuality = 2,
};

// Colour scheme: 0 to 4 are fixed palette entries, 5 picks one at random, 6 cycles through them.
enum ColorScheme : std::uint8_t {
  ColorEmerald = 0,
  ColorLapis = 1,
  ColorAmber = 2,
  ColorAmethyst = 3,
  ColorRuby = 4,
  ColorRandom = 5,
  ColorCycle = 6,
};

// The names of the colour schemes and glow modes, indexed by their values: the configuration
// dialog lists them in this order, the X11 saver's -color takes a colour's name in any case, and
// quellwire.xml offers the colours by their names in lower case. Glow 3 has no name: only the
// store and the X11 saver's -glow 3 reach it.
constexpr int kColorSchemeCount = 7;
constexpr const char* kColorSchemeNames[kColorSchemeCount] = {
    "Emerald", "Lapis", "Amber", "Amethyst", "Ruby", "Random", "Cycle"};
constexpr int kNamedGlowModeCount = 3;
constexpr const char* kGlowModeNames[kNamedGlowModeCount] = {"None", "Low Quality", "High Quality"};

struct Settings {
  float quantity;         // wire-count fraction 0 to 1 ("Wires:")
  float size;             // wire-length fraction 0 to 1 ("Wire Length:")
  float speed;            // speed fraction 0 to 1 ("Speed:")
  std::uint8_t glow;      // GlowMode, 0 to 3
  std::uint8_t color;     // ColorScheme, 0 to 6
  std::uint8_t symmetry;  // 0 or 1: eight-fold mirror symmetry
};

// The process-wide record that loadSettings fills and saveSettings writes. It holds the
// defaults until the first load.
Settings& currentSettings();

// The two operations below go through the per-user store of the platform: on Windows the
// current user's registry, key "Software\Orvane\Quellwire" (settings/win32/). The conversions
// and limits they apply are in settings/stored_settings.h, the order of their calls in
// settings/settings_store.h.

// Fills the process-wide record from the per-user store, with defaults and limits; always leaves
// a valid record.
void loadSettings();

// Writes the process-wide record to the per-user store; failures are silent.
void saveSettings();
