#include "windows/frame_driver_messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace {

struct MessageCase {
  std::uint32_t message;
  std::uintptr_t wParam;
  FrameDriverAction action;
};

void PrintTo(const MessageCase& c, std::ostream* out) {
  *out << "message " << c.message << " wParam " << c.wParam;
}

class FrameDriverMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(FrameDriverMessages, StartTheRightSequence) {
  EXPECT_EQ(FrameDriverActionFor(GetParam().message, GetParam().wParam), GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FrameDriverMessages,
    ::testing::Values(MessageCase{WM_CREATE, 0, FrameDriverAction::Create},
                      MessageCase{WM_DESTROY, 0, FrameDriverAction::Release},
                      // Any timer draws, not only the frame timer.
                      MessageCase{WM_TIMER, 1, FrameDriverAction::Frame},
                      MessageCase{WM_TIMER, 7, FrameDriverAction::Frame},
                      MessageCase{WM_TIMER, ~std::uintptr_t{0}, FrameDriverAction::Frame},
                      MessageCase{0x000F /* WM_PAINT */, 0, FrameDriverAction::PassToHost},
                      MessageCase{0x0010 /* WM_CLOSE */, 0, FrameDriverAction::PassToHost},
                      MessageCase{0x0100 /* WM_KEYDOWN */, 0, FrameDriverAction::PassToHost},
                      MessageCase{0x0114 /* WM_HSCROLL, next to WM_TIMER */, 1,
                                  FrameDriverAction::PassToHost}));

}  // namespace
