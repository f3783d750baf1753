#include "display/frame_driver_state.h"

FrameDriverState& CurrentFrameDriverState() {
  static FrameDriverState state{};
  return state;
}
