// The saver window's class and the two kinds of saver window: where they go and how they look.
#pragma once

#include <cstdint>

#include "windows/system_values.h"

constexpr const char* kSaverClassName = "WindowsScreenSaverClass";
constexpr const char* kFullScreenTitle = "Screen Saver";
constexpr const char* kPreviewTitle = "Preview";
constexpr std::uint32_t kSaverClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
constexpr int kSaverClassIcon = 100;

struct WindowRect {
  std::int32_t x;
  std::int32_t y;
  std::int32_t width;
  std::int32_t height;
};

struct SaverWindowLayout {
  std::uint32_t style;
  std::uint32_t exStyle;
  const char* title;
  WindowRect rect;
};

// A virtual desktop whose metrics report no width or height is measured by the screen's clip box.
bool VirtualScreenIsEmpty(const WindowRect& virtualScreen);

// Full screen over the virtual desktop, or over the screen's clip box (left, top, right, bottom)
// when the virtual desktop is empty.
SaverWindowLayout FullScreenWindowLayout(const WindowRect& virtualScreen, std::int32_t clipLeft,
                                         std::int32_t clipTop, std::int32_t clipRight,
                                         std::int32_t clipBottom);

// A child filling the parent's client area.
SaverWindowLayout PreviewWindowLayout(std::int32_t parentClientWidth,
                                      std::int32_t parentClientHeight);
