// Loading and saving the six settings through a per-user store of named 32-bit values.
//
// The store itself is a record of operations that a platform layer fills in (the registry on
// Windows). The order of the calls, what a failure means and the conversions are decided here,
// so they are the same for every store. The Linux program's settings file (settings/file/) holds
// the same stored numbers as text but is read on its own terms: it reports every line it cannot
// use.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "settings/stored_settings.h"

struct SettingsStore {
  // Passed back to every operation: the store's own state, e.g. its open key.
  void* context;

  // Opens the stored settings for reading, never creating them. False when there are none or
  // they cannot be read; nothing else is called then.
  bool (*openForReading)(void* context);

  // Reads one value's data into `data`, which has room for 4 bytes, and sets *size to the
  // number of bytes it holds. False when the value is absent or its data does not fit.
  bool (*readValue)(void* context, const char* name, unsigned char* data, std::uint32_t* size);

  // Opens the stored settings for writing, creating them when missing. False when that fails;
  // nothing else is called then.
  bool (*openForWriting)(void* context);

  // Writes one value as a 32-bit number. Failures are not reported.
  void (*writeValue)(void* context, const char* name, std::uint32_t number);

  // Closes what the successful open opened; called once after the reads or the writes.
  void (*close)(void* context);
};

// Reads the six values in their order and returns a valid record: with nothing stored, or the
// store unreadable, the defaults; otherwise each value that is present and fits in 4 bytes,
// within its limits, and the default for each of the others. Never creates anything.
Settings loadSettingsFromStore(const SettingsStore& store);

// Writes the six numbers of `settings` in their order, creating the stored settings when they
// are missing. When they cannot be opened for writing, nothing is written.
void saveSettingsToStore(const SettingsStore& store, const Settings& settings);
