// The command line, from the whole text the system gives the program to the decision of what
// runs: the program name is skipped (one byte at a time, or keeping double-byte characters
// whole), the switch is read and the dispatch decided. The first input byte chooses the
// platform, whether the named window exists and the character stepping; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "windows/command_line.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// A double-byte character set: a lead byte takes the next byte with it, unless that is the end.
const char* nextDoubleByte(const char* position) {
  if (!*position) return position;
  const unsigned char lead = static_cast<unsigned char>(*position);
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return isLead && position[1] ? position + 2 : position + 1;
}

bool windowIsNull(WindowHandle window) { return window == nullptr; }

void checkCommand(const SaverCommand& command) {
  switch (command.kind) {
    case SaverSwitch::None:
    case SaverSwitch::FullScreen:
    case SaverSwitch::Unknown:
      QW_FUZZ_CHECK(windowIsNull(command.window));
      return;
    case SaverSwitch::Configure:
    case SaverSwitch::Preview:
    case SaverSwitch::ChangePassword:
      return;
  }
  QW_FUZZ_CHECK(!"a switch outside the defined kinds");
}

// Every outcome is one of the defined modes, or the refusal that exits with -1.
void checkDispatch(const SaverCommand& command, const SaverDispatch& dispatch, bool is9x,
                   bool windowIsValid) {
  const bool usableWindow = windowIsValid && command.window != nullptr;
  if (dispatch.useForegroundWindow) QW_FUZZ_CHECK(windowIsNull(dispatch.window));
  switch (dispatch.action) {
    case SaverAction::ShowConfigDialog:
      QW_FUZZ_CHECK(command.kind == SaverSwitch::None || command.kind == SaverSwitch::Configure);
      return;
    case SaverAction::RunFullScreen:
      QW_FUZZ_CHECK(command.kind == SaverSwitch::FullScreen);
      QW_FUZZ_CHECK(windowIsNull(dispatch.window) && !dispatch.useForegroundWindow);
      return;
    case SaverAction::RunPreview:
      QW_FUZZ_CHECK(command.kind == SaverSwitch::Preview && usableWindow);
      QW_FUZZ_CHECK(dispatch.window == command.window);
      return;
    case SaverAction::ChangePassword:
      QW_FUZZ_CHECK(command.kind == SaverSwitch::ChangePassword && is9x);
      return;
    case SaverAction::Refuse:
      QW_FUZZ_CHECK(windowIsNull(dispatch.window) && !dispatch.useForegroundWindow);
      QW_FUZZ_CHECK(command.kind == SaverSwitch::Unknown ||
                    (command.kind == SaverSwitch::Preview && !usableWindow) ||
                    (command.kind == SaverSwitch::ChangePassword && !is9x));
      return;
  }
  QW_FUZZ_CHECK(!"an action outside the defined modes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  const bool is9x = flags & 1;
  const bool windowIsValid = flags & 2;
  const CharNextFunction next = (flags & 4) ? nextDoubleByte : NextSingleByte;

  // The text ends at its first NUL, as the system's command line does; the buffer holds exactly
  // that much, so any read beyond the terminator is out of bounds.
  const char* text = reinterpret_cast<const char*>(data + 1);
  const std::size_t length = strnlen(text, size - 1);
  std::vector<char> commandLine(text, text + length);
  commandLine.push_back('\0');
  const char* begin = commandLine.data();

  const char* arguments = SkipProgramName(begin, next);
  QW_FUZZ_CHECK(arguments >= begin && arguments <= begin + length);
  QW_FUZZ_CHECK(arguments == begin + length || static_cast<unsigned char>(*arguments) > 32);

  const SaverCommand command = ParseSaverCommand(arguments);
  checkCommand(command);
  checkDispatch(command, DecideDispatch(command, is9x, windowIsValid), is9x, windowIsValid);
  return 0;
}
