// Decisions of the system hooks that need no system call: the power rules and the record of
// the mains power state.
#pragma once

#include <cstdint>

#include "host/saver_host_state.h"

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
