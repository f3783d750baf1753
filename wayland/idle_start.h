// quellwire-idle: GNOME's way to run the saver after idle. Mutter tells its session's idle time
// to whoever asks on the session bus (org.gnome.Mutter.IdleMonitor); quellwire-idle asks to hear
// when the user has been idle for the timeout, then runs `quellwire -fullscreen` (with the options
// given after the timeout), which ends on input as it always does. Mutter's idle watch fires
// again after the next idle period, so the saver comes back each time. What to do at each event
// is decided here; the program (gnome/quellwire_idle.cpp) only makes the calls.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kDefaultIdleSeconds = 300;
inline constexpr std::uint32_t kMaxIdleSeconds = 24 * 3600;

// The command line: `quellwire-idle [-timeout SECONDS] [quellwire options...]`.
struct IdleStartArguments {
  bool ok;
  const char* message;        // why not, for !ok
  std::uint32_t idleSeconds;  // kDefaultIdleSeconds unless -timeout says
  int firstSaverArgument;     // argv index of the first option passed on to quellwire
  bool help;                  // -help or --help: print the usage and end with 0
};
IdleStartArguments parseIdleStartArguments(int argc, const char* const* argv);

extern const char kIdleStartUsage[];

// What the program does next.
enum class IdleStartAction : std::uint8_t {
  Nothing,
  StartSaver,  // run quellwire -fullscreen
  StopSaver,   // end the running saver (SIGTERM), then this program once it has ended
  End,         // end this program now: with endStatus
};

struct IdleStartState {
  std::uint32_t idleWatch;  // Mutter's id for the idle watch; 0 before it is added
  bool saverRunning;
  bool ending;                   // asked to end: waits for the saver to end first
  std::uint32_t failuresInARow;  // saver runs that ended with a fault, one after the other
  int endStatus;
};

// After this many saver runs in a row that failed, the saver cannot run here: the program ends
// with 1 rather than try at every idle period.
inline constexpr std::uint32_t kSaverFailuresToGiveUp = 3;

// Mutter fired watch `id`: the idle watch starts the saver unless one runs or the program ends.
IdleStartAction idleStartWatchFired(IdleStartState& state, std::uint32_t id);

// The saver ended with `status` (its exit status, or 128 + the signal that ended it). 0 (input,
// another window taking the focus, a locker) and an end the program asked for are no failure.
IdleStartAction idleStartSaverEnded(IdleStartState& state, int status);

// Asked to end (SIGTERM, SIGINT, SIGHUP), or the session's idle monitor is gone (`status` the
// program's exit status): a running saver is ended first.
IdleStartAction idleStartEnd(IdleStartState& state, int status);
