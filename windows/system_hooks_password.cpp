#include "windows/system_hooks_password.h"

namespace {

const char kPasswordLibrary[] = "PASSWORD.CPL";
const char kVerifyFunction[] = "VerifyScreenSavePwd";
const char kUsePasswordValue[] = "ScreenSaveUsePassword";
const char kChangeLibrary[] = "MPR.DLL";
const char kChangeFunction[] = "PwdChangePasswordA";
const char kSaverPasswordProvider[] = "SCRSAVE";

// The user's desktop settings ask for a password: the value reads as a non-zero number.
bool passwordRequired(const SystemHookCalls& calls) {
  RegistryKey key = nullptr;
  if (!calls.openDesktopKey(&key)) return false;
  std::uint32_t value = 0;
  const bool required = calls.readKeyNumber(key, kUsePasswordValue, &value) && value != 0;
  calls.closeKey(key);
  return required;
}

}  // namespace

void SetSaverRunning(const SystemHookCalls& calls, const SaverHostState& host, bool running) {
  if (host.is9xPlatform) calls.setScreenSaverRunning(running);
}

void LoadPasswordVerifier(const SystemHookCalls& calls, SaverHostState& host) {
  if (!host.is9xPlatform) return;
  if (host.passwordLibrary) UnloadPasswordVerifier(calls, host);
  if (!passwordRequired(calls)) return;
  host.passwordLibrary = calls.loadLibrary(kPasswordLibrary);
  if (!host.passwordLibrary) return;
  host.verifyPassword = reinterpret_cast<VerifyPasswordFunction>(
      calls.findFunction(host.passwordLibrary, kVerifyFunction));
  if (host.verifyPassword) {
    // The system believes a saver runs only while a verifier guards it.
    SetSaverRunning(calls, host, true);
  } else {
    UnloadPasswordVerifier(calls, host);
  }
}

void UnloadPasswordVerifier(const SystemHookCalls& calls, SaverHostState& host) {
  if (!host.is9xPlatform || !host.passwordLibrary) return;
  calls.freeLibrary(host.passwordLibrary);
  host.passwordLibrary = nullptr;
  if (host.verifyPassword) {
    host.verifyPassword = nullptr;
    SetSaverRunning(calls, host, false);
  }
}

bool VerifyIsTooSoon(std::uint32_t lastVerifyTick, std::uint32_t now) {
  // Unsigned subtraction measures the time across a wrap of the tick count.
  return lastVerifyTick != kNeverVerified && now - lastVerifyTick < kVerifyRefusalMs;
}

std::uint32_t VerificationEndTick(std::uint32_t now) {
  return now == kNeverVerified ? kNeverVerified - 1 : now;
}

bool VerifySaverPassword(const SystemHookCalls& calls, SaverHostState& host, WindowHandle window) {
  if (host.isVerifying || host.isClosing) return false;
  if (!VerifierLoaded(host)) {
    host.isClosing = true;
    return true;
  }
  if (VerifyIsTooSoon(host.lastVerifyTick, calls.tickCount())) return false;

  host.isVerifying = true;
  // Up to two timer ticks already waiting are dropped: no queued frame runs ahead of the
  // verification.
  calls.removeTimerMessage(window);
  calls.removeTimerMessage(window);
  // The request comes back through the saver's procedures to the default handling, which asks
  // the verifier. Messages the verifier dispatches meanwhile find isVerifying set.
  host.isClosing = calls.sendVerifyRequest(window) != 0;
  host.isVerifying = false;
  if (!host.isClosing) calls.hideCursor();  // the verifier's dialog may have shown it
  host.lastVerifyTick = VerificationEndTick(calls.tickCount());
  return host.isClosing;
}

void ChangeSaverPassword(const SystemHookCalls& calls, WindowHandle owner) {
  const ModuleHandle library = calls.loadLibrary(kChangeLibrary);
  if (!library) return;
  const ChangePasswordFunction changePassword =
      reinterpret_cast<ChangePasswordFunction>(calls.findFunction(library, kChangeFunction));
  if (changePassword) changePassword(kSaverPasswordProvider, owner, 0, 0);
  calls.freeLibrary(library);
}
