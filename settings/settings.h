// The six user settings in memory: one record for the whole process.
#pragma once

#include <cstdint>

#include "settings/glow_and_color.h"

struct Settings {
  float quantity;         // wire-count fraction 0 to 1 ("Wires:")
  float size;             // wire-length fraction 0 to 1 ("Wire Length:")
  float speed;            // speed fraction 0 to 1 ("Speed:")
  GlowMode glow;          // None to WiresOnly
  ColorScheme color;      // Emerald to Cycle
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
