#include "windows/saver_window_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void expectRect(const WindowRect& rect, int x, int y, int width, int height) {
  EXPECT_EQ(rect.x, x);
  EXPECT_EQ(rect.y, y);
  EXPECT_EQ(rect.width, width);
  EXPECT_EQ(rect.height, height);
}

TEST(FullScreenWindow, CoversTheVirtualDesktopTopmost) {
  const SaverWindowLayout layout = FullScreenWindowLayout({-1280, -200, 3200, 1280}, 0, 0, 9, 9);
  expectRect(layout.rect, -1280, -200, 3200, 1280);
  EXPECT_EQ(layout.style, 0x96000000u);  // popup, visible, clipping siblings and children
  EXPECT_EQ(layout.exStyle, static_cast<std::uint32_t>(WS_EX_TOPMOST));
  EXPECT_EQ(std::string(layout.title), "Screen Saver");
}

TEST(FullScreenWindow, AnEmptyVirtualDesktopGivesWayToTheScreenClipBox) {
  expectRect(FullScreenWindowLayout({0, 0, 0, 768}, 10, 20, 1034, 788).rect, 10, 20, 1024, 768);
  expectRect(FullScreenWindowLayout({5, 5, 1024, 0}, 0, 0, 800, 600).rect, 0, 0, 800, 600);
  EXPECT_FALSE(VirtualScreenIsEmpty({0, 0, 1, 1}));
}

TEST(PreviewWindow, FillsTheParentClientArea) {
  SaverWindowLayout layout = PreviewWindowLayout(152, 112);
  expectRect(layout.rect, 0, 0, 152, 112);
  EXPECT_EQ(layout.style, 0x52000000u);  // child, visible, clipping children
  EXPECT_EQ(layout.exStyle, 0u);
  EXPECT_EQ(std::string(layout.title), "Preview");
  expectRect(PreviewWindowLayout(0, 0).rect, 0, 0, 0, 0);
}

}  // namespace
