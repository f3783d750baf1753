// Which input ends a full-screen saver, on every platform: a key, a button, the loss of the focus,
// or the pointer moved more than a few pixels from where it was first seen. A wheel turned does
// not end it, nor does a pointer that only trembles. Each back end says what its own input
// stands for; a saver drawing for someone else (a preview, a given window, a wallpaper) asks
// nothing here, since no input ends it.
#pragma once

#include <cstdint>

// A pointer position in screen pixels.
struct ScreenPoint {
  std::int32_t x;
  std::int32_t y;
};

// The pointer must move more than this many pixels (horizontal plus vertical distance from where
// it was first seen) to end the saver.
inline constexpr std::uint32_t kWakeThreshold = 4;

enum class WakeInputKind : std::uint8_t {
  KeyDown,
  ButtonDown,    // a left, middle or right button
  WheelTurned,   // a wheel or another scrolling device
  PointerMoved,  // `pointer` is where it is now
  FocusLost,     // the saver lost the keyboard focus to another program
};

struct WakeInput {
  WakeInputKind kind;
  ScreenPoint pointer;  // read for PointerMoved only
};

// Horizontal plus vertical distance, without overflow for any two positions.
std::uint64_t pointerDistance(ScreenPoint from, ScreenPoint to);

// Whether the input ends a full-screen saver whose pointer was first seen at `origin`.
bool inputWakes(const WakeInput& input, ScreenPoint origin);

// The rule for a saver that learns where the pointer is only from its first report of it: that
// report sets the origin (and ends nothing), later moves are measured from it.
struct WakeWatch {
  bool originKnown;
  ScreenPoint origin;
};

bool wakeWatchInput(WakeWatch& watch, const WakeInput& input);
