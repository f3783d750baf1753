// The settings store on Windows: the key "Software\Orvane\Quellwire" under HKEY_CURRENT_USER,
// with the six settings as REG_DWORD values.
#pragma once

#include <windows.h>

#include "settings/settings_store.h"

// The key that the store has open between an open and its close.
struct RegistrySettingsState {
  HKEY key;
};

// The registry operations over `state`, for loadSettingsFromStore and saveSettingsToStore.
SettingsStore registrySettingsStore(RegistrySettingsState& state);
