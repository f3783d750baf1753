// Carries out the settings store's operations with the registry calls; every decision about
// what is read, written or taken as default is made by the portable settings code.
#include "settings/win32/registry_settings_store.h"

namespace {

RegistrySettingsState& stateOf(void* context) {
  return *static_cast<RegistrySettingsState*>(context);
}

bool registryOpenForReading(void* context) {
  return RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_QUERY_VALUE,
                       &stateOf(context).key) == ERROR_SUCCESS;
}

bool registryReadValue(void* context, const char* name, unsigned char* data, std::uint32_t* size) {
  // The type is not looked at: any data that fits in the buffer is a number.
  DWORD type = 0;
  DWORD length = kStoredSettingDataSize;
  const LONG result = RegQueryValueExA(stateOf(context).key, name, nullptr, &type, data, &length);
  *size = length;
  return result == ERROR_SUCCESS;
}

bool registryOpenForWriting(void* context) {
  DWORD disposition = 0;
  return RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_ALL_ACCESS, nullptr, &stateOf(context).key,
                         &disposition) == ERROR_SUCCESS;
}

void registryWriteValue(void* context, const char* name, std::uint32_t number) {
  // Windows is little-endian, so the number's own bytes are the REG_DWORD's data.
  const DWORD data = number;
  RegSetValueExA(stateOf(context).key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                 sizeof data);
}

void registryClose(void* context) {
  RegCloseKey(stateOf(context).key);
  stateOf(context).key = nullptr;
}

}  // namespace

static_assert(sizeof(DWORD) == kStoredSettingDataSize, "a REG_DWORD holds one stored number");

SettingsStore registrySettingsStore(RegistrySettingsState& state) {
  return SettingsStore{&state,
                       registryOpenForReading,
                       registryReadValue,
                       registryOpenForWriting,
                       registryWriteValue,
                       registryClose};
}

void loadSettings() {
  RegistrySettingsState state{nullptr};
  currentSettings() = loadSettingsFromStore(registrySettingsStore(state));
}

void saveSettings() {
  RegistrySettingsState state{nullptr};
  saveSettingsToStore(registrySettingsStore(state), currentSettings());
}
