// The system hooks that work on every platform and the autoplay query: the power rules and the
// record of the mains power state, the input-method detach and restore, and the registration
// of the autoplay query message.
#pragma once

#include <cstdint>

#include "windows/saver_host_state.h"
#include "windows/system_hook_calls.h"

enum class PowerRule : std::uint8_t {
  Ignore,
  PostClose,
  CheckLineStatus,  // close only if the mains power state changed since it was last recorded
};

// For WM_POWER and WM_POWERBROADCAST with their event in wParam; other messages are ignored.
PowerRule DecidePowerRule(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

// Stores the mains power state just read (255 when unknown) and tells whether it differs from
// the one recorded before.
bool RecordLineStatus(SaverHostState& host, std::uint8_t lineStatus);

// Reads the mains power state and records it; true when it changed.
bool RecordACLineStatus(const SystemHookCalls& calls, SaverHostState& host);

// The shell's autoplay query: registered on the 9x platform only, otherwise left at 0.
void RegisterAutoplayMessage(const SystemHookCalls& calls, SaverHostState& host);

// On window creation: detaches the window from the input method, when the input-method library
// is already loaded into the process (it is never loaded for this), remembering the context
// the window had.
void DetachInputMethod(const SystemHookCalls& calls, SaverHostState& host, WindowHandle window);

// On window destruction: gives the window back the context it had, if it had one.
void RestoreInputMethod(const SaverHostState& host, WindowHandle window);
