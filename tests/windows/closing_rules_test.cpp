#include "windows/closing_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr ScreenPoint kOrigin = {500, 400};

SaverHostState running() {
  SaverHostState host;
  host.cursorOrigin = kOrigin;
  return host;
}

int QW_SYSTEM_CALL acceptingVerifier(WindowHandle) { return 1; }

CloseDecision decide(std::uint32_t message, const SaverHostState& host, std::uintptr_t wParam = 0,
                     std::intptr_t lParam = 0, ScreenPoint pointer = kOrigin) {
  return DecideDefaultHandling(message, wParam, lParam, host, pointer);
}

bool postsClose(const CloseDecision& decision) {
  return (decision.steps & CloseStepPostClose) != 0;
}

// A pointer move is judged by the pointer position against cursorOrigin, which moves only
// when a move closes.
struct MoveCase {
  int dx;
  int dy;
  bool closes;
};

class PointerMoveTest : public testing::TestWithParam<MoveCase> {};

TEST_P(PointerMoveTest, ClosesOnlyBeyondFourPixels) {
  const MoveCase& c = GetParam();
  const ScreenPoint pointer = {kOrigin.x + c.dx, kOrigin.y + c.dy};
  const CloseDecision decision = decide(WM_MOUSEMOVE, running(), 0, 0, pointer);
  EXPECT_EQ(postsClose(decision), c.closes) << c.dx << ", " << c.dy;
  EXPECT_EQ((decision.steps & CloseStepStorePointer) != 0, c.closes);
  EXPECT_EQ(decision.route, CloseRoute::DefaultWindowProc);
}

INSTANTIATE_TEST_SUITE_P(Moves, PointerMoveTest,
                         testing::Values(MoveCase{0, 0, false}, MoveCase{2, 2, false},
                                         MoveCase{-4, 0, false}, MoveCase{0, 4, false},
                                         MoveCase{-1, -3, false}, MoveCase{3, 2, true},
                                         MoveCase{-5, 0, true}, MoveCase{0, -5, true},
                                         MoveCase{-3, 2, true}, MoveCase{1000, -1000, true}));

TEST(PointerMove, RepeatedMovesCountFromTheUnchangedOrigin) {
  const SaverHostState host = running();
  EXPECT_FALSE(postsClose(decide(WM_MOUSEMOVE, host, 0, 0, {kOrigin.x + 3, kOrigin.y})));
  EXPECT_TRUE(postsClose(decide(WM_MOUSEMOVE, host, 0, 0, {kOrigin.x + 6, kOrigin.y})));
}

TEST(PointerMove, JitterAroundTheOriginNeverCloses) {
  const SaverHostState host = running();
  const int jitter[][2] = {{1, 1}, {-2, 2}, {2, -2}, {-1, -3}, {4, 0}, {0, -4}, {-2, -2}};
  for (const auto& step : jitter) {
    EXPECT_FALSE(
        postsClose(decide(WM_MOUSEMOVE, host, 0, 0, {kOrigin.x + step[0], kOrigin.y + step[1]})));
  }
}

TEST(PointerMove, TheMessageCoordinatesAreNotUsed) {
  // lParam claims a far position; the pointer position given is where the origin is.
  EXPECT_FALSE(postsClose(decide(WM_MOUSEMOVE, running(), 0, 0x03000300, kOrigin)));
}

TEST(PointerDistance, SpansTheWholeCoordinateRangeWithoutOverflow) {
  EXPECT_EQ(pointerDistance({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}), 2 * 0xFFFFFFFFull);
  SaverHostState host = running();
  host.cursorOrigin = {INT_MIN, 0};
  EXPECT_TRUE(postsClose(decide(WM_MOUSEMOVE, host, 0, 0, {INT_MAX, 0})));
}

struct ScreeningCase {
  const char* name;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::uint32_t steps;
};

class ScreeningTest : public testing::TestWithParam<ScreeningCase> {};

TEST_P(ScreeningTest, RunningFullScreen) {
  const ScreeningCase& c = GetParam();
  const CloseDecision decision = decide(c.message, running(), c.wParam);
  EXPECT_EQ(decision.steps, c.steps) << c.name;
  EXPECT_EQ(decision.route, CloseRoute::DefaultWindowProc) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ScreeningTest,
    testing::Values(
        ScreeningCase{"key", WM_KEYDOWN, 0x41, CloseStepPostClose},
        ScreeningCase{"system key", WM_SYSKEYDOWN, 0x12, CloseStepPostClose},
        ScreeningCase{"left button", WM_LBUTTONDOWN, 1, CloseStepPostClose},
        ScreeningCase{"right button", WM_RBUTTONDOWN, 2, CloseStepPostClose},
        ScreeningCase{"middle button", WM_MBUTTONDOWN, 16, CloseStepPostClose},
        ScreeningCase{"button release", WM_LBUTTONUP, 0, 0},
        ScreeningCase{"key release", WM_KEYUP, 0x41, 0},
        ScreeningCase{"wheel", WM_MOUSEWHEEL, 120u << 16, 0},
        ScreeningCase{"switch to another program", WM_ACTIVATEAPP, 0, CloseStepPostClose},
        ScreeningCase{"activated", WM_ACTIVATEAPP, 1, 0},
        ScreeningCase{"shown", WM_SHOWWINDOW, 1, CloseStepHideCursor},
        ScreeningCase{"hidden", WM_SHOWWINDOW, 0, 0},
        ScreeningCase{"suspend", WM_POWERBROADCAST, PBT_APMSUSPEND, CloseStepPostClose},
        ScreeningCase{"power status", WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE,
                      CloseStepCheckLineStatus},
        ScreeningCase{"critical resume", WM_POWER, PWR_CRITICALRESUME, CloseStepPostClose},
        ScreeningCase{"other power", WM_POWER, 1, 0},
        ScreeningCase{"close off the 9x platform", WM_CLOSE, 0, 0},
        ScreeningCase{"verify request off the 9x platform", WM_APP, 0, 0},
        ScreeningCase{"paint", WM_PAINT, 0, 0}));

TEST(Screening, SetCursorHidesItWithoutDefaultHandling) {
  const CloseDecision decision = decide(WM_SETCURSOR, running());
  EXPECT_EQ(decision.steps, static_cast<std::uint32_t>(CloseStepHideCursor));
  EXPECT_EQ(decision.route, CloseRoute::Return);
  EXPECT_EQ(decision.result, 1);
}

TEST(Screening, NothingIsScreenedInPreviewWhileClosingOrWhileVerifying) {
  SaverHostState preview = running();
  preview.isPreview = true;
  SaverHostState closing = running();
  closing.isClosing = true;
  SaverHostState verifying = running();
  verifying.is9xPlatform = true;
  verifying.isVerifying = true;
  const std::uint32_t messages[] = {
      WM_KEYDOWN,   WM_SYSKEYDOWN,  WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
      WM_MOUSEMOVE, WM_ACTIVATEAPP, WM_SETCURSOR,   WM_SHOWWINDOW,  WM_POWERBROADCAST};
  for (const SaverHostState* host : {&preview, &closing, &verifying}) {
    for (std::uint32_t message : messages) {
      const CloseDecision decision = decide(message, *host, 0, 0, {kOrigin.x + 50, kOrigin.y});
      EXPECT_EQ(decision.steps, 0u) << message;
      EXPECT_EQ(decision.route, CloseRoute::DefaultWindowProc) << message;
    }
  }
}

TEST(Screening, CloseInPreviewOrWhileClosingIsDefaultHandled) {
  SaverHostState host = running();
  host.is9xPlatform = true;
  host.isPreview = true;
  EXPECT_EQ(decide(WM_CLOSE, host).route, CloseRoute::DefaultWindowProc);
  host.isPreview = false;
  host.isClosing = true;
  EXPECT_EQ(decide(WM_CLOSE, host).route, CloseRoute::DefaultWindowProc);
}

TEST(NinexPlatform, CloseAsksForThePasswordAndTheVerifyRequestIsAnswered) {
  SaverHostState host = running();
  host.is9xPlatform = true;
  EXPECT_EQ(decide(WM_CLOSE, host).route, CloseRoute::VerifyBeforeClose);
  EXPECT_EQ(decide(WM_APP, host).route, CloseRoute::AnswerVerifyRequest);
  // Even during a verification: the request itself must get through.
  host.isVerifying = true;
  EXPECT_EQ(decide(WM_CLOSE, host).route, CloseRoute::VerifyBeforeClose);
  EXPECT_EQ(decide(WM_APP, host).route, CloseRoute::AnswerVerifyRequest);
}

TEST(Autoplay, TheQueryClosesAndIsCancelledOnlyWithAVerifier) {
  SaverHostState host = running();
  host.autoplayMessage = 0xC123;
  CloseDecision decision = decide(0xC123, host);
  EXPECT_TRUE(postsClose(decision));
  EXPECT_EQ(decision.route, CloseRoute::Return);
  EXPECT_EQ(decision.result, 0);

  host.verifyPassword = acceptingVerifier;
  host.isPreview = true;  // in any state
  host.isClosing = true;
  decision = decide(0xC123, host);
  EXPECT_TRUE(postsClose(decision));
  EXPECT_EQ(decision.result, 1);
}

TEST(Autoplay, UnregisteredMeansNoQuery) {
  SaverHostState host = running();
  host.autoplayMessage = 0;
  EXPECT_EQ(decide(0, host).route, CloseRoute::DefaultWindowProc);
  EXPECT_FALSE(postsClose(decide(0, host)));
}

}  // namespace
