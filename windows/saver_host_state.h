// The host's one process-wide record: the program's module, the platform, the saver window and
// the state of its closing rules and of the system hooks.
#pragma once

#include <cstdint>

#include "driver/wake_rule.h"
#include "windows/system_handles.h"
#include "windows/system_values.h"

// The system's calling convention for the functions looked up in system libraries.
#if defined(_WIN32)
#define QW_SYSTEM_CALL __stdcall
#else
#define QW_SYSTEM_CALL
#endif

// lastVerifyTick before any verification has ended.
constexpr std::uint32_t kNeverVerified = 0xFFFFFFFFu;

// "VerifyScreenSavePwd" of the password library: non-zero lets the saver close.
using VerifyPasswordFunction = int(QW_SYSTEM_CALL*)(WindowHandle window);
// "ImmAssociateContext" of the input-method library: returns the context associated before.
using AssociateContextFunction = InputContextHandle(QW_SYSTEM_CALL*)(WindowHandle window,
                                                                     InputContextHandle context);

struct SaverHostState {
  ModuleHandle instance = nullptr;    // the program's own module
  bool is9xPlatform = false;          // the system reports VER_PLATFORM_WIN32_WINDOWS
  WindowHandle mainWindow = nullptr;  // the saver window once created
  bool isPreview = false;             // the window is a preview child; never cleared
  bool isClosing = false;             // the user may leave: no more frames, no more screening
  bool isVerifying = false;           // a password verification is running
  ScreenPoint cursorOrigin = {0, 0};  // pointer at start, or after the last close request
  std::uint32_t autoplayMessage = 0;  // registered "QueryCancelAutoPlay", or 0

  ModuleHandle passwordLibrary = nullptr;               // "PASSWORD.CPL" while loaded
  VerifyPasswordFunction verifyPassword = nullptr;      // its "VerifyScreenSavePwd"
  std::uint32_t lastVerifyTick = kNeverVerified;        // tick count when a verification last ended
  ModuleHandle imeLibrary = nullptr;                    // "IMM32.DLL" if it was already loaded
  AssociateContextFunction associateContext = nullptr;  // its "ImmAssociateContext"
  InputContextHandle savedInputContext = nullptr;       // the window's context before detaching
  std::uint8_t lastACLineStatus = 255;  // mains power last seen: 0 off, 1 on, 255 unknown
};

// A password verifier is loaded exactly when its function was found.
inline bool VerifierLoaded(const SaverHostState& host) { return host.verifyPassword != nullptr; }

// The process's one host state.
SaverHostState& HostState();
