// How many pixels the page draws. The canvas fills the window at the device's pixel ratio, but
// never more than kPageMostPixels; and where frames come slower than kPageLeastRate a second,
// the page draws fewer pixels (the browser scales the picture up to the window) rather than drop
// frames. It draws more again once frames have come quickly for a while. The settings are never
// touched.
#pragma once

#include <cstdint>

#include "driver/window_system.h"

inline constexpr std::int64_t kPageMostPixels = std::int64_t{2560} * 1440;
inline constexpr double kPageLeastRate = 30.0;
inline constexpr double kPageRiseRate = 50.0;         // frames a second that count as fast
inline constexpr double kPageBudgetWindowMs = 500.0;  // frames are counted in windows this long
inline constexpr std::uint32_t kPageFastWindowsToRise = 10;
// The levels, each a fraction of the window's width and height: level 0 draws every pixel.
inline constexpr int kPageDrawLevels = 8;
inline constexpr double kPageDrawScales[kPageDrawLevels] = {1.0, 0.85, 0.7, 0.6,
                                                            0.5, 0.4,  0.3, 0.25};

struct FrameBudget {
  int level;                  // into kPageDrawScales
  bool warm;                  // the window now counted follows a first whole one
  double windowStartMs;       // the time of the window's first frame
  std::uint32_t frames;       // frames shown in the window, its first included; 0: no window
  std::uint32_t fastWindows;  // windows in a row at kPageRiseRate or more
};

// The size drawn for a canvas of width x height device pixels at a level: each side scaled by
// the level's fraction and, beyond kPageMostPixels, by what brings it within; never below 1.
ClientSize pageDrawnSize(ClientSize device, int level);

// A frame shown at nowMs: frames are counted in windows of kPageBudgetWindowMs, the first after a
// restart or a change left out (it holds the start's work). True when the level changed: a
// window slower than kPageLeastRate draws fewer pixels, kPageFastWindowsToRise fast windows in a
// row draw more.
bool frameBudgetFrame(FrameBudget& budget, double nowMs);

// The flock stopped, was paused or was built again: the next frame starts a window afresh.
void frameBudgetRestart(FrameBudget& budget);
