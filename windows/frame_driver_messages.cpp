#include "windows/frame_driver_messages.h"

FrameDriverAction FrameDriverActionFor(std::uint32_t message, std::uintptr_t /*wParam*/) {
  switch (message) {
    case WM_CREATE:
      return FrameDriverAction::Create;
    case WM_TIMER:
      return FrameDriverAction::Frame;
    case WM_DESTROY:
      return FrameDriverAction::Release;
    default:
      return FrameDriverAction::PassToHost;
  }
}
