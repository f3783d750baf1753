// What the glow and colour settings mean, and the questions the simulation and the drawing ask
// of them. An enumerator's number is the number the setting is stored as (in the registry, the
// settings file and quellwire's options) and its item's index in the dialog's list; these
// numbers never change.
#pragma once

#include <cstdint>

// How the wires glow.
enum class GlowMode : std::uint8_t {
  None = 0,         // the wires in their plain colour, without a halo
  LowQuality = 1,   // white wires in a halo of their colour, blurred at half the capture's side
  HighQuality = 2,  // the same, blurred at the capture's side
  WiresOnly = 3,    // the white wires without a halo: accepted from the store, not in the dialog
};

// Every mode but None draws the wires white and takes their colour from the glow palette; the
// colour tints the halo.
constexpr bool glowIsOn(GlowMode mode) { return mode != GlowMode::None; }

// Whether a halo is drawn around the white wires: in every mode but None and WiresOnly (a number
// above 3, which the settings never hold, draws one at high quality).
constexpr bool glowHasHalo(GlowMode mode) {
  return mode != GlowMode::None && mode != GlowMode::WiresOnly;
}

// Whether the halo is blurred in a square of half the capture's side (low quality) rather than
// in the capture's square itself.
constexpr bool glowBlursAtHalf(GlowMode mode) { return mode == GlowMode::LowQuality; }

// The colour of the wires. The five fixed schemes are the palette's entries, in its order.
enum class ColorScheme : std::uint8_t {
  Emerald = 0,
  Lapis = 1,
  Amber = 2,
  Amethyst = 3,
  Ruby = 4,
  Random = 5,  // an entry drawn when the scene is built, kept
  Cycle = 6,   // an entry drawn when the scene is built, then one after another, blended
};

// Whether the scheme draws its first palette entry at random rather than being one.
constexpr bool colorSchemeDrawsEntry(ColorScheme scheme) {
  return scheme == ColorScheme::Random || scheme == ColorScheme::Cycle;
}

// Whether the colour moves on from one palette entry to another every cycle.
constexpr bool colorSchemeCycles(ColorScheme scheme) { return scheme == ColorScheme::Cycle; }

// The names of the colour schemes and glow modes, indexed by their numbers: the configuration
// dialog lists them in this order, quellwire's -color takes a colour's name in any case, and
// quellwire.xml offers the colours by their names in lower case. WiresOnly has no name: only the
// store and quellwire's -glow 3 reach it.
constexpr int kColorSchemeCount = 7;
constexpr const char* kColorSchemeNames[kColorSchemeCount] = {
    "Emerald", "Lapis", "Amber", "Amethyst", "Ruby", "Random", "Cycle"};
constexpr int kNamedGlowModeCount = 3;
constexpr const char* kGlowModeNames[kNamedGlowModeCount] = {"None", "Low Quality", "High Quality"};
