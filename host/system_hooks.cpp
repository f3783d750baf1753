#include "host/system_hooks.h"

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
