// Runs the settings store against the real registry of the current user.
//
//   settings_probe load                  prints the six fields that loadSettings gives
//   settings_probe save C G Q Sp Sz Sym  saves a record made from six stored numbers, in the
//                                        stored order (Color, Glow, Quantity, Speed, Size,
//                                        Symmetry)
//   settings_probe load-save             loads, then saves what was loaded
//   settings_probe deny-write            lets the settings key be read but no longer written
//   settings_probe volatile-parent       creates "Software\Orvane" as a volatile key, under
//                                        which the non-volatile settings key cannot be made
//
// Exit code 0 on success, 1 when a setup step failed, 2 for a bad command line. Wine keeps key
// security and volatile keys only while its server runs, so a test keeps the server running
// between a setup step and what it sets up.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/settings.h"
#include "settings/stored_settings.h"

namespace {

bool parseNumber(const char* text, unsigned long maximum, unsigned long* number) {
  char* end = nullptr;
  *number = std::strtoul(text, &end, 10);
  return end != text && *end == '\0' && *number <= maximum;
}

int printLoaded() {
  loadSettings();
  const Settings& s = currentSettings();
  std::printf("quantity=%g size=%g speed=%g glow=%u color=%u symmetry=%u\n", s.quantity, s.size,
              s.speed, static_cast<unsigned>(s.glow), static_cast<unsigned>(s.color),
              static_cast<unsigned>(s.symmetry));
  return 0;
}

int saveNumbers(char** numbers) {
  unsigned long n[StoredSettingCount];
  for (int i = 0; i < StoredSettingCount; ++i) {
    const bool percentage = i == StoredQuantity || i == StoredSpeed || i == StoredSize;
    if (!parseNumber(numbers[i], percentage ? 100 : 255, &n[i])) return 2;
  }
  Settings& s = currentSettings();
  s.color = static_cast<ColorScheme>(n[StoredColor]);
  s.glow = static_cast<GlowMode>(n[StoredGlow]);
  s.quantity = settingsFractionFromPercent(n[StoredQuantity]);
  s.speed = settingsFractionFromPercent(n[StoredSpeed]);
  s.size = settingsFractionFromPercent(n[StoredSize]);
  s.symmetry = static_cast<std::uint8_t>(n[StoredSymmetry]);
  saveSettings();
  return 0;
}

// Replaces the key's access list by one that grants everyone reading only.
int denyWrite() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
    return 1;
  }
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  alignas(DWORD) unsigned char aclBuffer[256];
  PACL acl = reinterpret_cast<PACL>(aclBuffer);
  SECURITY_DESCRIPTOR descriptor;
  const bool built =
      AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone) &&
      InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
      AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
      InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
      SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  const bool set =
      built && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
  if (everyone) FreeSid(everyone);
  RegCloseKey(key);
  return set ? 0 : 1;
}

int createVolatileParent() {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Orvane", 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
    return 1;
  }
  RegCloseKey(key);
  return disposition == REG_CREATED_NEW_KEY ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "load") == 0) return printLoaded();
  if (argc == 2 + StoredSettingCount && std::strcmp(argv[1], "save") == 0) {
    return saveNumbers(argv + 2);
  }
  if (argc == 2 && std::strcmp(argv[1], "load-save") == 0) {
    loadSettings();
    saveSettings();
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "deny-write") == 0) return denyWrite();
  if (argc == 2 && std::strcmp(argv[1], "volatile-parent") == 0) return createVolatileParent();
  std::fprintf(stderr,
               "usage: settings_probe load | save C G Q Sp Sz Sym | load-save | "
               "deny-write | volatile-parent\n");
  return 2;
}
