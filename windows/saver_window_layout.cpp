#include "windows/saver_window_layout.h"

bool VirtualScreenIsEmpty(const WindowRect& virtualScreen) {
  return virtualScreen.width == 0 || virtualScreen.height == 0;
}

SaverWindowLayout FullScreenWindowLayout(const WindowRect& virtualScreen, std::int32_t clipLeft,
                                         std::int32_t clipTop, std::int32_t clipRight,
                                         std::int32_t clipBottom) {
  WindowRect rect = virtualScreen;
  if (VirtualScreenIsEmpty(virtualScreen)) {
    rect = {clipLeft, clipTop, clipRight - clipLeft, clipBottom - clipTop};
  }
  return {WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOPMOST,
          kFullScreenTitle, rect};
}

SaverWindowLayout PreviewWindowLayout(std::int32_t parentClientWidth,
                                      std::int32_t parentClientHeight) {
  return {WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
          0,
          kPreviewTitle,
          {0, 0, parentClientWidth, parentClientHeight}};
}
