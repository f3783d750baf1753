#include "x11/window_loss.h"

#include <gtest/gtest.h>

#include "x11/window_handback.h"

namespace {

// Only a missing-window or missing-drawable error about the watched window shows it gone.
TEST(WindowLoss, OnlyAMissingWindowOrDrawableErrorAboutTheWatchedWindowShowsItGone) {
  constexpr std::uint64_t window = 0x400007;
  constexpr int glxBase = 161;
  EXPECT_TRUE(xErrorShowsWindowGone({kXBadWindow, window}, window, glxBase));
  EXPECT_TRUE(xErrorShowsWindowGone({kXBadDrawable, window}, window, -1));
  for (const int offset : {kGlxBadDrawableOffset, kGlxBadCurrentWindowOffset,
                           kGlxBadCurrentDrawableOffset, kGlxBadWindowOffset}) {
    EXPECT_TRUE(xErrorShowsWindowGone({glxBase + offset, window}, window, glxBase)) << offset;
    // Without GLX the same numbers belong to nobody in particular.
    EXPECT_FALSE(xErrorShowsWindowGone({glxBase + offset, window}, window, -1)) << offset;
  }
  // Another window's loss, another kind of error, a GLX error that names no drawable, or no
  // window watched yet (the id given on the command line is still being checked).
  EXPECT_FALSE(xErrorShowsWindowGone({kXBadWindow, window + 1}, window, glxBase));
  for (const int code : {1, 2, 4, 8, 13, 16}) {  // request, value, pixmap, match, GC, length
    EXPECT_FALSE(xErrorShowsWindowGone({code, window}, window, glxBase)) << code;
  }
  EXPECT_FALSE(xErrorShowsWindowGone({glxBase, window}, window, glxBase));  // bad context
  EXPECT_FALSE(xErrorShowsWindowGone({kXBadWindow, 0}, 0, glxBase));
  EXPECT_FALSE(xErrorShowsWindowGone({kXBadWindow, window}, 0, glxBase));
}

// Once the saver has stopped, its own window goes, a borrowed one shows its own background again,
// and a window that is gone is left alone (no request on it could succeed).
TEST(WindowHandback, OwnWindowsGoBorrowedOnesShowTheirBackgroundGoneOnesAreLeft) {
  EXPECT_EQ(windowHandbackOf(true, false), WindowHandback::Destroy);
  EXPECT_EQ(windowHandbackOf(false, false), WindowHandback::ShowOwnBackground);
  EXPECT_EQ(windowHandbackOf(true, true), WindowHandback::Nothing);
  EXPECT_EQ(windowHandbackOf(false, true), WindowHandback::Nothing);
}

}  // namespace
