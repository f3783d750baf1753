#include "settings/settings.h"
#include "settings/stored_settings.h"

Settings& currentSettings() {
  // Valid from the start, so a reader that runs before the first load sees the defaults.
  static Settings settings = settingsDefaults();
  return settings;
}
