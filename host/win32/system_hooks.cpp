// The password, running-state and autoplay hooks are inert here: no password verifier is ever
// loaded, so the first close request ends the saver, the system's running state is left alone
// and no autoplay query is registered. The input-method and power hooks are live.
#include "host/win32/system_hooks.h"

#include "host/system_hooks.h"

void SetSaverRunning(bool) {}

void LoadPasswordVerifier() {}

void UnloadPasswordVerifier() {}

bool VerifySaverPassword(HWND) {
  SaverHostState& host = HostState();
  if (host.isVerifying || host.isClosing) return false;
  // No verifier is loaded: the saver may close.
  host.isClosing = true;
  return true;
}

void ChangeSaverPassword(HWND) {}

void DetachInputMethod(SaverHostState& host, HWND window) {
  // Only an input-method library that is already loaded is used; none is loaded for this.
  host.imeLibrary = GetModuleHandleA("IMM32.DLL");
  if (!host.imeLibrary) return;
  host.associateContext = reinterpret_cast<AssociateContextFunction>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(host.imeLibrary),
                                             "ImmAssociateContext")));
  if (!host.associateContext) return;
  host.savedInputContext = host.associateContext(window, nullptr);
}

void RestoreInputMethod(SaverHostState& host, HWND window) {
  if (host.imeLibrary && host.associateContext && host.savedInputContext) {
    host.associateContext(window, host.savedInputContext);
  }
}

void RegisterAutoplayMessage(SaverHostState& host) { host.autoplayMessage = 0; }

std::uint8_t ReadACLineStatus() {
  SYSTEM_POWER_STATUS status = {};
  if (!GetSystemPowerStatus(&status)) return 255;
  return status.ACLineStatus;
}

void RecordACLineStatus(SaverHostState& host) { RecordLineStatus(host, ReadACLineStatus()); }
