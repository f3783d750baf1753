#include "windows/host_screening.h"

#include <gtest/gtest.h>

namespace {

enum Kind { FullScreen, Preview, Closing, PreviewClosing };

SaverHostState stateOf(Kind kind) {
  SaverHostState host;
  host.isPreview = kind == Preview || kind == PreviewClosing;
  host.isClosing = kind == Closing || kind == PreviewClosing;
  return host;
}

struct ScreenCase {
  const char* name;
  std::uint32_t message;
  std::uintptr_t wParam;
  Kind kind;
  std::uint32_t steps;
  HostRoute route;
  std::intptr_t result;
};

class ScreenHostMessageTest : public testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenHostMessageTest, Decides) {
  const ScreenCase& c = GetParam();
  const HostDecision decision = ScreenHostMessage(c.message, c.wParam, stateOf(c.kind));
  EXPECT_EQ(decision.steps, c.steps) << c.name;
  EXPECT_EQ(decision.route, c.route) << c.name;
  if (c.route == HostRoute::Return) {
    EXPECT_EQ(decision.result, c.result) << c.name;
  }
}

constexpr HostRoute Saver = HostRoute::Saver;
constexpr HostRoute Def = HostRoute::DefaultWindowProc;
constexpr HostRoute Ret = HostRoute::Return;
constexpr std::uint32_t Create = HostStepDetachInputMethod | HostStepRecordCursorOrigin;
constexpr std::uint32_t Hide = HostStepHideCursor;

INSTANTIATE_TEST_SUITE_P(
    Messages, ScreenHostMessageTest,
    testing::Values(
        ScreenCase{"create full screen", WM_CREATE, 0, FullScreen, Create | Hide, Saver, 0},
        ScreenCase{"create preview keeps the cursor", WM_CREATE, 0, Preview, Create, Saver, 0},
        ScreenCase{"destroy", WM_DESTROY, 0, FullScreen,
                   HostStepRestoreInputMethod | HostStepPostQuit, Saver, 0},
        ScreenCase{"destroy while closing", WM_DESTROY, 0, Closing,
                   HostStepRestoreInputMethod | HostStepPostQuit, Saver, 0},
        ScreenCase{"the title never changes", WM_SETTEXT, 0, FullScreen, 0, Ret, 0},
        ScreenCase{"paint", WM_PAINT, 0, FullScreen, Hide, Saver, 0},
        ScreenCase{"paint preview", WM_PAINT, 0, Preview, 0, Saver, 0},
        ScreenCase{"paint while closing", WM_PAINT, 0, Closing, 0, Def, 0},
        ScreenCase{"help in preview goes to the parent", WM_HELP, 0, Preview,
                   HostStepForwardToParent, Ret, 1},
        ScreenCase{"context menu in preview", WM_CONTEXTMENU, 0, Preview, HostStepForwardToParent,
                   Ret, 1},
        ScreenCase{"context menu in a closing preview", WM_CONTEXTMENU, 0, PreviewClosing,
                   HostStepForwardToParent, Ret, 1},
        ScreenCase{"help full screen", WM_HELP, 0, FullScreen, 0, Saver, 0},
        ScreenCase{"context menu full screen", WM_CONTEXTMENU, 0, FullScreen, 0, Saver, 0},
        ScreenCase{"key", WM_KEYDOWN, 0, FullScreen, 0, Saver, 0},
        ScreenCase{"key while closing", WM_KEYDOWN, 0, Closing, 0, Def, 0},
        ScreenCase{"system key while closing", WM_SYSKEYDOWN, 0, Closing, 0, Def, 0},
        ScreenCase{"move while closing", WM_MOUSEMOVE, 0, Closing, 0, Def, 0},
        ScreenCase{"left button while closing", WM_LBUTTONDOWN, 0, Closing, 0, Def, 0},
        ScreenCase{"right button while closing", WM_RBUTTONDOWN, 0, Closing, 0, Def, 0},
        ScreenCase{"middle button while closing", WM_MBUTTONDOWN, 0, Closing, 0, Def, 0},
        ScreenCase{"key release while closing is not screened", WM_KEYUP, 0, Closing, 0, Saver, 0},
        ScreenCase{"timer yields, then a frame", WM_TIMER, 1, FullScreen, HostStepYield, Saver, 0},
        ScreenCase{"timer in preview", WM_TIMER, 1, Preview, HostStepYield, Saver, 0},
        ScreenCase{"no frame once closing", WM_TIMER, 1, Closing, 0, Ret, 0},
        ScreenCase{"next window swallowed", WM_SYSCOMMAND, SC_NEXTWINDOW, FullScreen, 0, Ret, 0},
        ScreenCase{"previous window swallowed", WM_SYSCOMMAND, SC_PREVWINDOW, FullScreen, 0, Ret,
                   0},
        ScreenCase{"screen saver swallowed", WM_SYSCOMMAND, SC_SCREENSAVE, FullScreen, 0, Ret, 0},
        ScreenCase{"monitor power closes", WM_SYSCOMMAND, SC_MONITORPOWER, FullScreen,
                   HostStepPostClose, Saver, 0},
        ScreenCase{"the whole wParam is compared", WM_SYSCOMMAND, SC_SCREENSAVE | 2, FullScreen, 0,
                   Saver, 0},
        ScreenCase{"other commands pass", WM_SYSCOMMAND, 0xF060, FullScreen, 0, Saver, 0},
        ScreenCase{"commands in preview pass", WM_SYSCOMMAND, SC_SCREENSAVE, Preview, 0, Saver, 0},
        ScreenCase{"monitor power in preview", WM_SYSCOMMAND, SC_MONITORPOWER, Preview, 0, Saver,
                   0},
        ScreenCase{"anything else", WM_SHOWWINDOW, 1, FullScreen, 0, Saver, 0}));

}  // namespace
