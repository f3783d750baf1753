// The system calls the hooks make, gathered in one record of functions. The Windows build fills
// it with the real calls; the unit tests fill it with fakes that record what was asked. Every
// rule about when and in which order these calls are made lives in the portable hook code.
#pragma once

#include <cstdint>

#include "windows/saver_host_state.h"

using RegistryKey = void*;

// "PwdChangePasswordA" of the password-change library; its result is not used.
using ChangePasswordFunction = std::uint32_t(QW_SYSTEM_CALL*)(const char* provider,
                                                              WindowHandle owner,
                                                              std::uint32_t reserved1,
                                                              std::uint32_t reserved2);

struct SystemHookCalls {
  // HKEY_CURRENT_USER "Control Panel\Desktop" opened with query access; false when it cannot be.
  bool (*openDesktopKey)(RegistryKey* key);
  // Reads the named value of the key into a 4-byte buffer that starts zeroed, whatever the
  // value's type; false when the read fails.
  bool (*readKeyNumber)(RegistryKey key, const char* name, std::uint32_t* value);
  void (*closeKey)(RegistryKey key);

  ModuleHandle (*loadLibrary)(const char* name);        // loads it when it is not yet loaded
  ModuleHandle (*findLoadedLibrary)(const char* name);  // never loads anything
  void* (*findFunction)(ModuleHandle library, const char* name);  // null when not exported
  void (*freeLibrary)(ModuleHandle library);

  // Tells the system whether a saver runs; what it answers about the previous state is ignored.
  void (*setScreenSaverRunning)(bool running);
  std::uint32_t (*tickCount)();                             // the system tick count, ms, wrapping
  void (*removeTimerMessage)(WindowHandle window);          // removes at most one pending WM_TIMER
  std::intptr_t (*sendVerifyRequest)(WindowHandle window);  // WM_APP, sent, not posted
  void (*hideCursor)();
  std::uint32_t (*registerMessage)(const char* name);  // a registered window message, 0 on failure
  std::uint8_t (*readACLineStatus)();  // 0 offline, 1 online, 255 unknown or unreadable
};
