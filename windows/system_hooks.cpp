#include "windows/system_hooks.h"

namespace {

const char kAutoplayQuery[] = "QueryCancelAutoPlay";
const char kInputMethodLibrary[] = "IMM32.DLL";
const char kAssociateContext[] = "ImmAssociateContext";

}  // namespace

PowerRule DecidePowerRule(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (message == WM_POWER) {
    return wParam == PWR_CRITICALRESUME ? PowerRule::PostClose : PowerRule::Ignore;
  }
  if (message != WM_POWERBROADCAST) return PowerRule::Ignore;
  switch (wParam) {
    case PBT_APMRESUMECRITICAL:
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMESTANDBY:
    case PBT_APMRESUMEAUTOMATIC:
      // A resume after a failed suspend is no reason to stop.
      return (lParam & PBTF_APMRESUMEFROMFAILURE) ? PowerRule::Ignore : PowerRule::PostClose;
    case PBT_APMPOWERSTATUSCHANGE:
      return PowerRule::CheckLineStatus;
    default:
      // The queries, the suspends, a low battery, OEM and unknown events.
      return PowerRule::PostClose;
  }
}

bool RecordLineStatus(SaverHostState& host, std::uint8_t lineStatus) {
  const bool changed = lineStatus != host.lastACLineStatus;
  host.lastACLineStatus = lineStatus;
  return changed;
}

bool RecordACLineStatus(const SystemHookCalls& calls, SaverHostState& host) {
  return RecordLineStatus(host, calls.readACLineStatus());
}

void RegisterAutoplayMessage(const SystemHookCalls& calls, SaverHostState& host) {
  host.autoplayMessage = host.is9xPlatform ? calls.registerMessage(kAutoplayQuery) : 0;
}

void DetachInputMethod(const SystemHookCalls& calls, SaverHostState& host, WindowHandle window) {
  host.imeLibrary = calls.findLoadedLibrary(kInputMethodLibrary);
  if (!host.imeLibrary) return;
  host.associateContext = reinterpret_cast<AssociateContextFunction>(
      calls.findFunction(host.imeLibrary, kAssociateContext));
  if (!host.associateContext) return;
  host.savedInputContext = host.associateContext(window, nullptr);
}

void RestoreInputMethod(const SaverHostState& host, WindowHandle window) {
  if (host.imeLibrary && host.associateContext && host.savedInputContext) {
    host.associateContext(window, host.savedInputContext);
  }
}
