#include "driver/wake_rule.h"

namespace {

std::uint64_t axisDistance(std::int32_t from, std::int32_t to) {
  const std::int64_t difference = static_cast<std::int64_t>(to) - static_cast<std::int64_t>(from);
  return static_cast<std::uint64_t>(difference < 0 ? -difference : difference);
}

}  // namespace

std::uint64_t pointerDistance(ScreenPoint from, ScreenPoint to) {
  return axisDistance(from.x, to.x) + axisDistance(from.y, to.y);
}

bool inputWakes(const WakeInput& input, ScreenPoint origin) {
  switch (input.kind) {
    case WakeInputKind::KeyDown:
    case WakeInputKind::ButtonDown:
    case WakeInputKind::FocusLost:
      return true;
    case WakeInputKind::WheelTurned:
      return false;
    case WakeInputKind::PointerMoved:
      return pointerDistance(origin, input.pointer) > kWakeThreshold;
  }
  return false;
}

bool wakeWatchInput(WakeWatch& watch, const WakeInput& input) {
  if (input.kind == WakeInputKind::PointerMoved && !watch.originKnown) {
    watch = WakeWatch{true, input.pointer};
    return false;
  }
  return inputWakes(input, watch.origin);
}
