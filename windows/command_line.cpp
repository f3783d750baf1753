#include "windows/command_line.h"

namespace {

bool isBlankOrControl(char c) {
  const unsigned char code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

bool isAboveSpace(char c) { return static_cast<unsigned char>(c) > 32; }

const char* skipSpaces(const char* text) {
  while (*text == ' ') ++text;
  return text;
}

}  // namespace

const char* NextSingleByte(const char* position) { return *position ? position + 1 : position; }

const char* SkipProgramName(const char* commandLine, CharNextFunction next) {
  const char* position = commandLine ? commandLine : "";
  if (*position == '"') {
    position = next(position);
    while (*position && *position != '"') position = next(position);
    if (*position == '"') position = next(position);
  } else if (isAboveSpace(*position)) {
    while (isAboveSpace(*position)) position = next(position);
  }
  while (isBlankOrControl(*position)) position = next(position);
  return position;
}

WindowHandle ParseWindowHandle(const char* text) {
  std::uint32_t value = 0;
  for (const char* digit = text ? text : ""; *digit >= '0' && *digit <= '9'; ++digit) {
    value = value * 10u + static_cast<std::uint32_t>(*digit - '0');
  }
  return reinterpret_cast<WindowHandle>(static_cast<std::uintptr_t>(value));
}

SaverCommand ParseSaverCommand(const char* arguments) {
  const char* position = arguments ? arguments : "";
  while (*position == ' ' || *position == '-' || *position == '/') ++position;

  // A signed byte: characters with the high bit set match no switch.
  const signed char letter = static_cast<signed char>(*position);
  const char* rest = *position ? position + 1 : position;
  switch (letter) {
    case '\0':
      return {SaverSwitch::None, nullptr};
    case 'S':
    case 's':
      return {SaverSwitch::FullScreen, nullptr};
    case 'C':
    case 'c':
      return {SaverSwitch::Configure, *rest == ':' ? ParseWindowHandle(rest + 1) : nullptr};
    case 'P':
    case 'p':
    case 'L':
    case 'l':
      return {SaverSwitch::Preview, ParseWindowHandle(skipSpaces(rest))};
    case 'A':
    case 'a':
      return {SaverSwitch::ChangePassword, ParseWindowHandle(skipSpaces(rest))};
    default:
      return {SaverSwitch::Unknown, nullptr};
  }
}

SaverDispatch DecideDispatch(const SaverCommand& command, bool is9xPlatform, bool windowIsValid) {
  const bool valid = windowIsValid && command.window != nullptr;
  // An owner that is missing, zero or not a window gives way to the foreground window.
  const WindowHandle owner = valid ? command.window : nullptr;
  switch (command.kind) {
    case SaverSwitch::None:
      return {SaverAction::ShowConfigDialog, nullptr, false};
    case SaverSwitch::Configure:
      return {SaverAction::ShowConfigDialog, owner, !valid};
    case SaverSwitch::FullScreen:
      return {SaverAction::RunFullScreen, nullptr, false};
    case SaverSwitch::Preview:
      if (!valid) break;
      return {SaverAction::RunPreview, command.window, false};
    case SaverSwitch::ChangePassword:
      if (!is9xPlatform) break;
      return {SaverAction::ChangePassword, owner, !valid};
    case SaverSwitch::Unknown:
      break;
  }
  return {SaverAction::Refuse, nullptr, false};
}
