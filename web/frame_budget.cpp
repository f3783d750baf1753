#include "web/frame_budget.h"

#include <algorithm>
#include <cmath>

namespace {

std::int32_t Scaled(std::int32_t side, double scale) {
  return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(side * scale)));
}

}  // namespace

ClientSize pageDrawnSize(ClientSize device, int level) {
  const int at = std::clamp(level, 0, kPageDrawLevels - 1);
  double scale = kPageDrawScales[at];
  const double pixels = static_cast<double>(std::max(device.width, 1)) * std::max(device.height, 1);
  if (pixels > static_cast<double>(kPageMostPixels)) {
    scale *= std::sqrt(static_cast<double>(kPageMostPixels) / pixels);
  }
  return ClientSize{Scaled(device.width, scale), Scaled(device.height, scale)};
}

bool frameBudgetFrame(FrameBudget& budget, double nowMs) {
  if (budget.frames == 0 || nowMs < budget.windowStartMs) {
    budget.windowStartMs = nowMs;
    budget.frames = 1;
    return false;
  }
  const double elapsed = nowMs - budget.windowStartMs;
  if (elapsed < kPageBudgetWindowMs) {
    ++budget.frames;
    return false;
  }
  const double rate = budget.frames * 1000.0 / elapsed;
  const bool counted = budget.warm;
  budget.warm = true;
  budget.windowStartMs = nowMs;
  budget.frames = 1;
  if (!counted) return false;
  if (rate < kPageLeastRate) {
    budget.fastWindows = 0;
    if (budget.level + 1 >= kPageDrawLevels) return false;
    ++budget.level;
    budget.warm = false;
    return true;
  }
  budget.fastWindows = rate >= kPageRiseRate ? budget.fastWindows + 1 : 0;
  if (budget.fastWindows < kPageFastWindowsToRise || budget.level == 0) return false;
  --budget.level;
  budget.fastWindows = 0;
  budget.warm = false;
  return true;
}

void frameBudgetRestart(FrameBudget& budget) {
  budget.frames = 0;
  budget.warm = false;
  budget.fastWindows = 0;
}
