// Which of the frame driver's sequences a window message starts.
#pragma once

#include <cstdint>

#include "windows/system_values.h"

enum class FrameDriverAction {
  Create,      // bind GL to the new window, build the scene, start the frame timer
  Frame,       // advance and draw one frame
  Release,     // stop the timer and release the GL objects
  PassToHost,  // not the frame driver's: the host's default handling decides
};

// Every timer message draws a frame, whatever its identifier (wParam).
FrameDriverAction FrameDriverActionFor(std::uint32_t message, std::uintptr_t wParam);
