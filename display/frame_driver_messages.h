// Which of the frame driver's sequences a window message starts.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
static_assert(WM_CREATE == 0x0001, "WM_CREATE");
static_assert(WM_DESTROY == 0x0002, "WM_DESTROY");
static_assert(WM_TIMER == 0x0113, "WM_TIMER");
#else
inline constexpr std::uint32_t WM_CREATE = 0x0001;
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_TIMER = 0x0113;
#endif

enum class FrameDriverAction {
  Create,       // bind GL to the new window, build the scene, start the frame timer
  Frame,        // advance and draw one frame
  Release,      // stop the timer and release the GL objects
  PassToHost,   // not the frame driver's: the host's default handling decides
};

// Every timer message draws a frame, whatever its identifier (wParam).
FrameDriverAction FrameDriverActionFor(std::uint32_t message, std::uintptr_t wParam);
