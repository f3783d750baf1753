// quellwire-idle: the saver after idle on GNOME (see wayland/idle_start.h), with sd-bus on the
// session bus. One loop waits on the bus and on a signalfd (SIGCHLD for the saver, SIGTERM,
// SIGINT and SIGHUP to end); idle_start decides what each event means.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <systemd/sd-bus.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <initializer_list>

#include "wayland/idle_start.h"

namespace {

constexpr const char* kMonitorName = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kMonitorPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* kMonitorInterface = "org.gnome.Mutter.IdleMonitor";

struct Idle {
  IdleStartState state;
  sd_bus* bus;
  pid_t saver;
  const char* const* saverArguments;  // argv of quellwire, null-terminated
  IdleStartAction pending;            // what a bus message asked for, carried out by the loop
};

int WatchFired(sd_bus_message* message, void* data, sd_bus_error*) {
  Idle& idle = *static_cast<Idle*>(data);
  std::uint32_t id = 0;
  if (sd_bus_message_read(message, "u", &id) < 0) return 0;
  const IdleStartAction action = idleStartWatchFired(idle.state, id);
  if (action != IdleStartAction::Nothing) idle.pending = action;
  return 0;
}

// The idle monitor's owner changed: gone (GNOME's session ended) or replaced (Mutter restarted,
// which forgets every watch), either ends this program.
int OwnerChanged(sd_bus_message*, void* data, sd_bus_error*) {
  Idle& idle = *static_cast<Idle*>(data);
  std::fprintf(stderr, "quellwire-idle: GNOME's idle monitor has gone\n");
  idle.pending = idleStartEnd(idle.state, 0);
  return 0;
}

// quellwire beside this program (as installed, and in the build), else the one on the PATH.
void SaverPath(char* path, std::size_t size) {
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length > 0) {
    self[length] = '\0';
    char* slash = std::strrchr(self, '/');
    if (slash != nullptr) {
      *slash = '\0';
      std::snprintf(path, size, "%s/quellwire", self);
      if (access(path, X_OK) == 0) return;
    }
  }
  std::snprintf(path, size, "quellwire");
}

bool StartSaver(Idle& idle, const sigset_t& held) {
  char path[PATH_MAX + 16];
  SaverPath(path, sizeof path);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    sigprocmask(SIG_UNBLOCK, &held, nullptr);
    execvp(path, const_cast<char* const*>(idle.saverArguments));
    std::fprintf(stderr, "quellwire-idle: cannot run %s: %s\n", path, std::strerror(errno));
    _exit(127);
  }
  idle.saver = child;
  return true;
}

int AddIdleWatch(Idle& idle, std::uint32_t seconds) {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  int result =
      sd_bus_call_method(idle.bus, kMonitorName, kMonitorPath, kMonitorInterface, "AddIdleWatch",
                         &error, &reply, "t", static_cast<std::uint64_t>(seconds) * 1000);
  if (result >= 0) result = sd_bus_message_read(reply, "u", &idle.state.idleWatch);
  if (result < 0) {
    std::fprintf(stderr,
                 "quellwire-idle: GNOME's idle monitor (org.gnome.Mutter.IdleMonitor on the "
                 "session bus) cannot be asked: %s\n",
                 error.message != nullptr ? error.message : std::strerror(-result));
  }
  sd_bus_error_free(&error);
  sd_bus_message_unref(reply);
  return result;
}

// Carries out the pending action; true when the program ends. A saver that cannot be started
// counts as one that failed.
bool Carry(Idle& idle, const sigset_t& held) {
  IdleStartAction action = idle.pending;
  idle.pending = IdleStartAction::Nothing;
  if (action == IdleStartAction::StartSaver && !StartSaver(idle, held)) {
    action = idleStartSaverEnded(idle.state, 1);
  }
  if (action == IdleStartAction::StopSaver && idle.saver > 0) kill(idle.saver, SIGTERM);
  return action == IdleStartAction::End;
}

// The saver's exit status as idle_start reads it: 128 + the signal that ended it.
int StatusOf(int waitStatus) {
  if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
  return WIFSIGNALED(waitStatus) ? 128 + WTERMSIG(waitStatus) : 1;
}

// How long the bus may be left before it wants processing (a call's timeout): -1 for ever.
int BusTimeoutMs(sd_bus* bus) {
  std::uint64_t dueUs = UINT64_MAX;
  if (sd_bus_get_timeout(bus, &dueUs) < 0 || dueUs == UINT64_MAX) return -1;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const std::uint64_t nowUs = static_cast<std::uint64_t>(now.tv_sec) * 1000000 +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000;
  if (dueUs <= nowUs) return 0;
  const std::uint64_t ms = (dueUs - nowUs + 999) / 1000;
  return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

int Run(Idle& idle, std::uint32_t seconds) {
  sigset_t held;
  sigemptyset(&held);
  for (const int signal : {SIGCHLD, SIGTERM, SIGINT, SIGHUP}) sigaddset(&held, signal);
  sigprocmask(SIG_BLOCK, &held, nullptr);
  const int signals = signalfd(-1, &held, SFD_CLOEXEC | SFD_NONBLOCK);
  if (signals < 0 || sd_bus_open_user(&idle.bus) < 0) {
    std::fprintf(stderr, "quellwire-idle: no session bus to reach GNOME's idle monitor\n");
    return 1;
  }
  sd_bus_match_signal(idle.bus, nullptr, kMonitorName, kMonitorPath, kMonitorInterface,
                      "WatchFired", WatchFired, &idle);
  sd_bus_add_match(idle.bus, nullptr,
                   "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
                   "member='NameOwnerChanged',arg0='org.gnome.Mutter.IdleMonitor'",
                   OwnerChanged, &idle);
  if (AddIdleWatch(idle, seconds) < 0) return 1;
  std::printf("quellwire-idle: the saver starts after %u s idle\n", seconds);
  std::fflush(stdout);
  bool ended = false;
  while (!ended) {
    // Each message and each signal is acted on before the next (a callback leaves its action in
    // `pending`), so that no action is lost to the next one.
    int processed = 0;
    while (!ended && (processed = sd_bus_process(idle.bus, nullptr)) > 0) {
      ended = Carry(idle, held);
    }
    if (processed < 0 && !ended) {  // the bus is gone
      idle.pending = idleStartEnd(idle.state, 0);
      ended = Carry(idle, held);
    }
    if (ended) break;
    pollfd waits[2] = {{signals, POLLIN, 0}, {sd_bus_get_fd(idle.bus), 0, 0}};
    waits[1].events = static_cast<short>(sd_bus_get_events(idle.bus));
    if (poll(waits, 2, BusTimeoutMs(idle.bus)) < 0 && errno != EINTR) break;
    signalfd_siginfo info{};
    while (!ended && read(signals, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
      int waitStatus = 0;
      if (info.ssi_signo != SIGCHLD) {
        idle.pending = idleStartEnd(idle.state, 0);
      } else if (idle.saver > 0 && waitpid(idle.saver, &waitStatus, WNOHANG) == idle.saver) {
        idle.saver = 0;
        idle.pending = idleStartSaverEnded(idle.state, StatusOf(waitStatus));
        if (idle.pending == IdleStartAction::End && idle.state.endStatus != 0) {
          std::fprintf(stderr, "quellwire-idle: the saver failed %u times in a row\n",
                       idle.state.failuresInARow);
        }
      }
      ended = Carry(idle, held);
    }
  }
  sd_bus_flush_close_unref(idle.bus);
  return idle.state.endStatus;
}

}  // namespace

int main(int argc, char** argv) {
  const IdleStartArguments arguments = parseIdleStartArguments(argc, argv);
  if (arguments.help || !arguments.ok) {
    if (!arguments.ok) std::fprintf(stderr, "quellwire-idle: %s\n", arguments.message);
    std::fputs(kIdleStartUsage, arguments.ok ? stdout : stderr);
    return arguments.ok ? 0 : 2;
  }
  // quellwire -fullscreen and the options passed on, null-terminated.
  static const char* saverArguments[256];
  int count = 0;
  saverArguments[count++] = "quellwire";
  saverArguments[count++] = "-fullscreen";
  for (int i = arguments.firstSaverArgument; i < argc && count < 255; ++i) {
    saverArguments[count++] = argv[i];
  }
  saverArguments[count] = nullptr;
  static Idle idle{};
  idle.saverArguments = saverArguments;
  return Run(idle, arguments.idleSeconds);
}
