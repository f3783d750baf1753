#include "windows/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

WindowHandle handle(std::uint32_t value) {
  return reinterpret_cast<WindowHandle>(static_cast<std::uintptr_t>(value));
}

// A double-byte code page in miniature: a byte with the high bit set starts a two-byte
// character, whose second byte may be anything but NUL.
const char* nextDoubleByte(const char* position) {
  if (!*position) return position;
  if ((static_cast<unsigned char>(*position) & 0x80) && position[1]) return position + 2;
  return position + 1;
}

struct SkipCase {
  const char* commandLine;
  const char* arguments;
};

class SkipProgramNameTest : public testing::TestWithParam<SkipCase> {};

TEST_P(SkipProgramNameTest, LeavesTheArgumentText) {
  EXPECT_EQ(std::string(SkipProgramName(GetParam().commandLine, NextSingleByte)),
            GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SkipProgramNameTest,
    testing::Values(SkipCase{"saver.scr /s", "/s"},
                    SkipCase{"\"C:\\Program Files\\My Savers\\saver.scr\" /p 123", "/p 123"},
                    SkipCase{"\"C:\\a b\\saver.scr\"/s", "/s"},
                    SkipCase{"\"C:\\a b\\saver.scr /s", ""},  // unterminated quote: all of it
                    SkipCase{"saver.scr \t\r\n\x01 /c:5", "/c:5"}, SkipCase{"saver.scr", ""},
                    SkipCase{"", ""}, SkipCase{"   /s", "/s"},  // no program name at all
                    SkipCase{"C:\\sav\xe9r.scr /s", "/s"}));

TEST(SkipProgramName, KeepsDoubleByteCharactersWhole) {
  // The second byte of the first character is a double quote; it does not end the quoted path.
  const char commandLine[] = "\"C:\\\x81\"dir\\saver.scr\" /s";
  EXPECT_EQ(std::string(SkipProgramName(commandLine, nextDoubleByte)), "/s");
  EXPECT_EQ(std::string(SkipProgramName(commandLine, NextSingleByte)), "dir\\saver.scr\" /s");
}

TEST(SkipProgramName, NullCommandLineGivesNoArguments) {
  EXPECT_EQ(std::string(SkipProgramName(nullptr, NextSingleByte)), "");
}

struct HandleCase {
  const char* text;
  std::uint32_t value;
};

class ParseWindowHandleTest : public testing::TestWithParam<HandleCase> {};

TEST_P(ParseWindowHandleTest, ReadsUnsignedDecimalWrappingAt32Bits) {
  EXPECT_EQ(ParseWindowHandle(GetParam().text), handle(GetParam().value)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseWindowHandleTest,
    testing::Values(HandleCase{"123", 123}, HandleCase{"0", 0}, HandleCase{"", 0},
                    HandleCase{"abc", 0}, HandleCase{"12ab34", 12}, HandleCase{"-5", 0},
                    HandleCase{"+5", 0}, HandleCase{" 5", 0}, HandleCase{"0x10", 0},
                    HandleCase{"4294967295", 0xFFFFFFFFu}, HandleCase{"4294967296", 0},
                    HandleCase{"4294967297", 1},
                    HandleCase{"99999999999", static_cast<std::uint32_t>(99999999999ull)},
                    HandleCase{"00000000000000000000042", 42}));

TEST(ParseWindowHandle, NullTextIsZero) { EXPECT_EQ(ParseWindowHandle(nullptr), nullptr); }

struct DispatchCase {
  const char* arguments;
  bool windowIsValid;  // what the system says of the handle given
  bool is9xPlatform;
  SaverAction action;
  std::uint32_t window;
  bool useForegroundWindow;
};

class DispatchTest : public testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTest, ChoosesTheMode) {
  const DispatchCase& c = GetParam();
  const SaverDispatch dispatch =
      DecideDispatch(ParseSaverCommand(c.arguments), c.is9xPlatform, c.windowIsValid);
  EXPECT_EQ(dispatch.action, c.action) << '"' << c.arguments << '"';
  EXPECT_EQ(dispatch.window, handle(c.window)) << '"' << c.arguments << '"';
  EXPECT_EQ(dispatch.useForegroundWindow, c.useForegroundWindow) << '"' << c.arguments << '"';
}

constexpr SaverAction Config = SaverAction::ShowConfigDialog;
constexpr SaverAction Full = SaverAction::RunFullScreen;
constexpr SaverAction Preview = SaverAction::RunPreview;
constexpr SaverAction Password = SaverAction::ChangePassword;
constexpr SaverAction Refuse = SaverAction::Refuse;

INSTANTIATE_TEST_SUITE_P(
    Switches, DispatchTest,
    testing::Values(
        // No switch: the dialog without an owner, not even the foreground window.
        DispatchCase{"", false, false, Config, 0, false},
        DispatchCase{"  /-/ ", false, false, Config, 0, false},
        // Full screen, however written; the rest is ignored.
        DispatchCase{"/s", false, false, Full, 0, false},
        DispatchCase{"-s", false, false, Full, 0, false},
        DispatchCase{"s", false, false, Full, 0, false},
        DispatchCase{"/-/S", false, false, Full, 0, false},
        DispatchCase{"/s extra words", false, false, Full, 0, false},
        DispatchCase{"/sabc", false, false, Full, 0, false},
        // Configuration: an owner only right after a colon, else the foreground window.
        DispatchCase{"/c", false, false, Config, 0, true},
        DispatchCase{"/c:0", false, false, Config, 0, true},
        DispatchCase{"/c:abc", false, false, Config, 0, true},
        DispatchCase{"/c 123", true, false, Config, 0, true},
        DispatchCase{"/c:123", true, false, Config, 123, false},
        DispatchCase{"/C:123", false, false, Config, 0, true},  // not a window
        // Preview: spaces, then the parent; no usable parent is refused.
        DispatchCase{"/p 123", true, false, Preview, 123, false},
        DispatchCase{"/P     123", true, false, Preview, 123, false},
        DispatchCase{"/l 123", true, false, Preview, 123, false},
        DispatchCase{"/L123", true, false, Preview, 123, false},
        DispatchCase{"/p 4294967419", true, false, Preview, 123, false},  // 2^32 + 123
        DispatchCase{"/p", false, false, Refuse, 0, false},
        DispatchCase{"/p 0", false, false, Refuse, 0, false},
        DispatchCase{"/p:123", true, false, Refuse, 0, false},
        DispatchCase{"/p\t123", true, false, Refuse, 0, false},
        DispatchCase{"/p 123", false, false, Refuse, 0, false},  // names no window
        // Password change: only on the 9x platform.
        DispatchCase{"/a 123", true, false, Refuse, 0, false},
        DispatchCase{"/a", false, false, Refuse, 0, false},
        DispatchCase{"/a 123", true, true, Password, 123, false},
        DispatchCase{"/a  0", false, true, Password, 0, true},
        DispatchCase{"/a 77", false, true, Password, 0, true},
        // Anything else.
        DispatchCase{"/x", false, false, Refuse, 0, false},
        DispatchCase{"/?", false, false, Refuse, 0, false},
        DispatchCase{"/\ts", false, false, Refuse, 0, false},
        DispatchCase{"\"/s\"", false, false, Refuse, 0, false},
        DispatchCase{"\xd3", false, false, Refuse, 0, false},  // 'S' with the high bit set
        DispatchCase{"\xf3", false, false, Refuse, 0, false}));

TEST(ParseSaverCommand, NullArgumentsMeanNoSwitch) {
  EXPECT_EQ(ParseSaverCommand(nullptr).kind, SaverSwitch::None);
}

}  // namespace
