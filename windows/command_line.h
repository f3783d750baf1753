// The command line: skipping the program name, reading a window handle, and deciding from the
// switch which mode runs.
#pragma once

#include <cstdint>

#include "windows/saver_host_state.h"

// Steps from one character of the command line to the next; on Windows this keeps double-byte
// characters whole. Must return its argument unchanged at the terminating NUL.
using CharNextFunction = const char* (*)(const char* position);

// One byte at a time, for text without double-byte characters.
const char* NextSingleByte(const char* position);

// Returns the argument text: what follows the program name (quoted or not) and the spaces and
// control characters after it.
const char* SkipProgramName(const char* commandLine, CharNextFunction next);

// Unsigned decimal digits to a window handle, wrapping modulo 2^32; stops at the first other
// character. Empty or non-numeric text gives a null handle.
WindowHandle ParseWindowHandle(const char* text);

// The switch as written, with the handle that came with it.
enum class SaverSwitch : std::uint8_t {
  None,            // no switch at all
  FullScreen,      // s
  Configure,       // c, with an owner only after a colon
  Preview,         // p or l, with the parent window
  ChangePassword,  // a, with the owner window
  Unknown,         // anything else
};

struct SaverCommand {
  SaverSwitch kind;
  WindowHandle window;  // parent or owner; null when none was given
};

SaverCommand ParseSaverCommand(const char* arguments);

// What the entry does with a command.
enum class SaverAction : std::uint8_t {
  ShowConfigDialog,  // owned by window, or by the foreground window when useForegroundWindow
  RunFullScreen,
  RunPreview,      // into window
  ChangePassword,  // owned by window, or by the foreground window when useForegroundWindow
  Refuse,          // exit code -1, nothing opened
};

struct SaverDispatch {
  SaverAction action;
  WindowHandle window;
  bool useForegroundWindow;
};

// windowIsValid tells whether the command's window is an existing window (false for null).
SaverDispatch DecideDispatch(const SaverCommand& command, bool is9xPlatform, bool windowIsValid);
