#include "x11/window_loss.h"

bool xErrorShowsWindowGone(const XErrorFacts& error, std::uint64_t window, int glxErrorBase) {
  if (window == 0 || error.resourceId != window) return false;
  if (error.errorCode == kXBadWindow || error.errorCode == kXBadDrawable) return true;
  if (glxErrorBase < 0) return false;
  const int offset = error.errorCode - glxErrorBase;
  return offset == kGlxBadDrawableOffset || offset == kGlxBadCurrentWindowOffset ||
         offset == kGlxBadCurrentDrawableOffset || offset == kGlxBadWindowOffset;
}
