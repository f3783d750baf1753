#include "settings/settings_store.h"

Settings loadSettingsFromStore(const SettingsStore& store) {
  StoredReading reading{};
  if (store.openForReading(store.context)) {
    for (int i = 0; i < StoredSettingCount; ++i) {
      // A fresh buffer for every value: short data must not pick up bytes of an earlier one.
      unsigned char data[kStoredSettingDataSize] = {};
      std::uint32_t size = kStoredSettingDataSize;
      if (store.readValue(store.context, kStoredSettings[i].name, data, &size)) {
        reading.values[i] = settingsStoredNumberFromData(data, size);
      }
    }
    store.close(store.context);
  }
  return settingsFromStored(reading);
}

void saveSettingsToStore(const SettingsStore& store, const Settings& settings) {
  if (!store.openForWriting(store.context)) {
    return;
  }
  const StoredSettings stored = settingsToStored(settings);
  for (int i = 0; i < StoredSettingCount; ++i) {
    store.writeValue(store.context, kStoredSettings[i].name, stored.values[i]);
  }
  store.close(store.context);
}
