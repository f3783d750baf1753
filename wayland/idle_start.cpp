#include "wayland/idle_start.h"

#include <cstdlib>
#include <cstring>

const char kIdleStartUsage[] =
    "usage: quellwire-idle [-timeout SECONDS] [quellwire options...]\n"
    "Runs quellwire -fullscreen whenever GNOME's session has been idle for SECONDS (300 unless\n"
    "told, 1 to 86400); the saver ends on input, and comes back after the next idle period. The\n"
    "options after the timeout are passed on to quellwire.\n";

namespace {

bool isHelp(const char* argument) {
  return std::strcmp(argument, "-help") == 0 || std::strcmp(argument, "--help") == 0 ||
         std::strcmp(argument, "-h") == 0;
}

// A whole number of seconds in range, digits only.
bool secondsOf(const char* text, std::uint32_t* seconds) {
  if (text == nullptr || *text == '\0' || std::strlen(text) > 6) return false;
  std::uint32_t value = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + static_cast<std::uint32_t>(*c - '0');
  }
  if (value < 1 || value > kMaxIdleSeconds) return false;
  *seconds = value;
  return true;
}

}  // namespace

IdleStartArguments parseIdleStartArguments(int argc, const char* const* argv) {
  IdleStartArguments arguments{true, nullptr, kDefaultIdleSeconds, 1, false};
  if (argc > 1 && isHelp(argv[1])) {
    arguments.help = true;
    return arguments;
  }
  if (argc > 1 &&
      (std::strcmp(argv[1], "-timeout") == 0 || std::strcmp(argv[1], "--timeout") == 0)) {
    if (!secondsOf(argc > 2 ? argv[2] : nullptr, &arguments.idleSeconds)) {
      arguments.ok = false;
      arguments.message = "-timeout takes a whole number of seconds from 1 to 86400";
      return arguments;
    }
    arguments.firstSaverArgument = 3;
  }
  return arguments;
}

IdleStartAction idleStartWatchFired(IdleStartState& state, std::uint32_t id) {
  if (id == 0 || id != state.idleWatch || state.saverRunning || state.ending) {
    return IdleStartAction::Nothing;
  }
  state.saverRunning = true;
  return IdleStartAction::StartSaver;
}

IdleStartAction idleStartSaverEnded(IdleStartState& state, int status) {
  state.saverRunning = false;
  if (state.ending) return IdleStartAction::End;
  state.failuresInARow = status == 0 ? 0 : state.failuresInARow + 1;
  if (state.failuresInARow >= kSaverFailuresToGiveUp) {
    state.ending = true;
    state.endStatus = 1;
    return IdleStartAction::End;
  }
  return IdleStartAction::Nothing;
}

IdleStartAction idleStartEnd(IdleStartState& state, int status) {
  if (!state.ending) state.endStatus = status;
  state.ending = true;
  return state.saverRunning ? IdleStartAction::StopSaver : IdleStartAction::End;
}
