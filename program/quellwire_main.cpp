// quellwire: the Linux program, on X11 or Wayland. The options, the settings file and the display
// system are decided here; the run itself is one back end's entry (RunX11Saver, RunWaylandSaver),
// or where the build lacks one of them, its stand-in that says so.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/posix/linux_saver.h"
#include "settings/file/settings_file.h"
#include "settings/posix/settings_file_io.h"
#include "settings/stored_settings.h"
#include "program/display_choice.h"
#include "program/saver_options.h"
#include "wayland/client/wayland_saver.h"
#include "x11/xlib/x11_saver.h"

namespace {

void Report(const std::vector<std::string>& messages) {
  for (const std::string& message : messages)
    std::fprintf(stderr, "quellwire: %s\n", message.c_str());
}

// The settings of this run: the file at `path`, then the command line's values over it.
// `fileStatus` tells what was found of the file.
Settings RunSettings(const std::string& path, const SaverOptions& options,
                     std::vector<std::string>& problems, SettingsFileStatus& fileStatus) {
  SettingsFileLoad file = loadSettingsFile(path, ExamineSettingsFile(path));
  for (std::string& problem : file.problems) problems.push_back(std::move(problem));
  fileStatus = file.status;
  return settingsFromStored(overlayStoredReading(file.reading, options.overrides));
}

// Stores the settings in the file at `path`, unless the file held values that could not be read
// when the settings were taken from it, or holds such values now (it is examined again first):
// then it is left as it is and the run ends with 1.
int SaveSettings(const std::string& path, const Settings& settings, SettingsFileStatus readStatus) {
  std::vector<std::string> problems;
  const std::string refusal = settingsSaveRefusal(path, readStatus);
  if (!refusal.empty()) {
    std::fprintf(stderr, "quellwire: %s\n", refusal.c_str());
    return 1;
  }
  const bool saved = WriteSettingsFile(path, settingsToStored(settings), problems);
  Report(problems);
  if (saved) std::printf("quellwire: settings saved in %s\n", path.c_str());
  return saved ? 0 : 1;
}

// The run on Wayland: the same settings, the target as a Wayland mode of the same name.
int RunOnWayland(const SaverOptions& options, const Settings& settings) {
  WaylandRun run{};
  run.mode = options.target == SaverTarget::FullScreen   ? WaylandMode::FullScreen
             : options.target == SaverTarget::Background ? WaylandMode::Background
                                                         : WaylandMode::Window;
  run.showFps = options.showFps;
  run.frameLimit = options.frameLimit;
  run.settings = settings;
  return RunWaylandSaver(run);
}

// The run on X11 (-background was refused before: it is Wayland's only).
int RunOnX11(const SaverOptions& options, const Settings& settings) {
  X11Run run{};
  run.target = options.target == SaverTarget::FullScreen    ? X11Target::FullScreen
               : options.target == SaverTarget::RootWindow  ? X11Target::RootWindow
               : options.target == SaverTarget::GivenWindow ? X11Target::GivenWindow
                                                            : X11Target::OwnWindow;
  run.windowId = options.windowId;
  run.displayName = options.displayName;
  run.showFps = options.showFps;
  run.frameLimit = options.frameLimit;
  run.settings = settings;
  return RunX11Saver(run);
}

// The options, or the exit status when they end the program at once (-help, an error).
bool ParseOptions(int argc, char** argv, OptionsParse& parse, int& status) {
  parse = parseSaverOptions(argc - 1, argv + 1);
  if (parse.outcome == OptionsOutcome::ShowHelp) {
    std::fputs(saverUsageText(), stdout);
    status = 0;
    return false;
  }
  if (parse.outcome == OptionsOutcome::Error) {
    std::fprintf(stderr, "quellwire: %s\n%s", parse.error.c_str(), saverUsageText());
    status = 1;
    return false;
  }
  return true;
}

// X11 or Wayland, by the options and the session; xscreensaver's window only on X11.
DisplayChoice ChooseDisplay(OptionsParse& parse) {
  const SaverEnvironment environment{std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                                     std::getenv("XSCREENSAVER_WINDOW")};
  const DisplayChoice choice = chooseDisplaySystem(saverDisplayFacts(parse.options, environment));
  if (!choice.refused && choice.system == DisplaySystem::X11) {
    applySaverWindowEnvironment(parse.options, environment.xscreensaverWindow, parse.warnings);
  }
  Report(parse.warnings);
  return choice;
}

}  // namespace

int main(int argc, char** argv) {
  OptionsParse parse;
  int status = 0;
  if (!ParseOptions(argc, argv, parse, status)) return status;
  const DisplayChoice choice = ChooseDisplay(parse);
  const SaverOptions& options = parse.options;

  std::vector<std::string> problems;
  const std::string settingsPath =
      settingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  SettingsFileStatus fileStatus = SettingsFileStatus::Missing;
  const Settings settings = RunSettings(settingsPath, options, problems, fileStatus);
  Report(problems);
  if (options.saveSettings) return SaveSettings(settingsPath, settings, fileStatus);
  if (choice.refused) {
    std::fprintf(stderr, "quellwire: %s\n", choice.refusal);
    return 1;
  }
  KeepHeapBetweenFrames();
  return choice.system == DisplaySystem::Wayland ? RunOnWayland(options, settings)
                                                 : RunOnX11(options, settings);
}
