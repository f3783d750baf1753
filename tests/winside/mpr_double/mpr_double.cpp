// Test double of the system's password-change library. It records in its key
// (QW_CHANGE_DOUBLE_KEY): Loads (times loaded into a process), and for PwdChangePasswordA the
// Provider name, the Owner window, the two numbers Param1 and Param2, and Calls (written last).
// With Fault set non-zero in the key, PwdChangePasswordA raises an access violation instead.
#include <windows.h>

#include <cstring>

#include "double_state/double_state.h"

namespace {

const char kKey[] = QW_CHANGE_DOUBLE_KEY;

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(const char* provider, HWND owner, DWORD param1, DWORD param2) {
  const char* name = provider ? provider : "(null)";
  WriteDoubleValue(kKey, "Provider", REG_SZ, name, static_cast<DWORD>(std::strlen(name) + 1));
  WriteDoubleNumber(kKey, "Owner", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner)));
  WriteDoubleNumber(kKey, "Param1", param1);
  WriteDoubleNumber(kKey, "Param2", param2);
  if (ReadDoubleNumber(kKey, "Fault", 0)) RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
  CountDoubleEvent(kKey, "Calls");
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) CountDoubleEvent(kKey, "Loads");
  return TRUE;
}
