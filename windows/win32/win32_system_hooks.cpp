// The system calls behind the hooks, and the hook operations on the process's host state.
// System libraries are looked up by name at run time, never imported.
#include "windows/win32/win32_system_hooks.h"

#include <cstring>

#include "windows/system_hook_calls.h"
#include "windows/system_hooks.h"
#include "windows/system_hooks_password.h"

static_assert(SPI_SETSCREENSAVERRUNNING == 97, "the running state is system parameter 97");

namespace {

bool openDesktopKey(RegistryKey* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  *key = opened;
  return true;
}

bool readKeyNumber(RegistryKey key, const char* name, std::uint32_t* value) {
  // A value shorter than four bytes leaves the rest of the buffer zero; a longer one fails.
  BYTE buffer[4] = {0, 0, 0, 0};
  DWORD size = sizeof(buffer);
  if (RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  std::memcpy(value, buffer, sizeof(buffer));
  return true;
}

void closeKey(RegistryKey key) { RegCloseKey(static_cast<HKEY>(key)); }

ModuleHandle loadLibrary(const char* name) { return LoadLibraryA(name); }

ModuleHandle findLoadedLibrary(const char* name) { return GetModuleHandleA(name); }

void* findFunction(ModuleHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void freeLibrary(ModuleHandle library) { FreeLibrary(static_cast<HMODULE>(library)); }

void setScreenSaverRunning(bool running) {
  UINT previous = 0;  // the system writes the state it replaces here
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

std::uint32_t tickCount() { return GetTickCount(); }

void removeTimerMessage(WindowHandle window) {
  MSG message;
  PeekMessageA(&message, static_cast<HWND>(window), WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
}

std::intptr_t sendVerifyRequest(WindowHandle window) {
  return SendMessageA(static_cast<HWND>(window), WM_APP, 0, 0);
}

void hideCursor() { SetCursor(nullptr); }

std::uint32_t registerMessage(const char* name) { return RegisterWindowMessageA(name); }

std::uint8_t readACLineStatus() {
  SYSTEM_POWER_STATUS status = {};
  if (!GetSystemPowerStatus(&status)) return 255;
  return status.ACLineStatus;
}

const SystemHookCalls kSystemCalls = {
    openDesktopKey,    readKeyNumber,      closeKey,          loadLibrary,
    findLoadedLibrary, findFunction,       freeLibrary,       setScreenSaverRunning,
    tickCount,         removeTimerMessage, sendVerifyRequest, hideCursor,
    registerMessage,   readACLineStatus,
};

}  // namespace

void SetSaverRunning(bool running) { SetSaverRunning(kSystemCalls, HostState(), running); }

void LoadPasswordVerifier() { LoadPasswordVerifier(kSystemCalls, HostState()); }

void UnloadPasswordVerifier() { UnloadPasswordVerifier(kSystemCalls, HostState()); }

bool VerifySaverPassword(HWND window) {
  return VerifySaverPassword(kSystemCalls, HostState(), window);
}

void ChangeSaverPassword(HWND owner) { ChangeSaverPassword(kSystemCalls, owner); }

void DetachInputMethod(SaverHostState& host, HWND window) {
  DetachInputMethod(kSystemCalls, host, window);
}

void RegisterAutoplayMessage(SaverHostState& host) { RegisterAutoplayMessage(kSystemCalls, host); }

void RecordACLineStatus(SaverHostState& host) { RecordACLineStatus(kSystemCalls, host); }

bool ACLineStatusChanged(SaverHostState& host) { return RecordACLineStatus(kSystemCalls, host); }
