// The test doubles of system libraries and the end-to-end helper share their state through
// numbers in one registry key per double under HKEY_CURRENT_USER: the test sets how a double
// answers, the double records how it was called, the test and the helper read that back.
#pragma once

#include <windows.h>

// The password verifier double (PASSWORD.CPL).
#define QW_PASSWORD_DOUBLE_KEY "Software\\Quellwire Tests\\Password Double"
// The password-change double (MPR.DLL).
#define QW_CHANGE_DOUBLE_KEY "Software\\Quellwire Tests\\Password Change Double"

// The number stored under name, or fallback when there is none.
inline DWORD ReadDoubleNumber(const char* key, const char* name, DWORD fallback) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return fallback;
  }
  const LONG status =
      RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(opened);
  return status == ERROR_SUCCESS && size == sizeof(value) ? value : fallback;
}

inline void WriteDoubleValue(const char* key, const char* name, DWORD type, const void* data,
                             DWORD size) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(opened, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(opened);
}

inline void WriteDoubleNumber(const char* key, const char* name, DWORD value) {
  WriteDoubleValue(key, name, REG_DWORD, &value, sizeof(value));
}

inline void CountDoubleEvent(const char* key, const char* name) {
  WriteDoubleNumber(key, name, ReadDoubleNumber(key, name, 0) + 1);
}
