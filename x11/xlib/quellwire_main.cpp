// quellwire: the saver on X11 or Wayland. The options, the settings file and the display system
// are decided here; the run itself is x11/xlib/x11_saver's or wayland/client/'s, or where the
// build lacks one of them, its stand-in that says so.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/file/settings_file.h"
#include "settings/posix/settings_file_io.h"
#include "settings/stored_settings.h"
#include "wayland/client/wayland_saver.h"
#include "x11/display_choice.h"
#include "x11/saver_options.h"
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

// The run on Wayland: the same settings, the target as a Wayland mode.
int RunOnWayland(const SaverOptions& options, const Settings& settings) {
  WaylandRun run{};
  run.mode = options.target == SaverTarget::FullScreen   ? WaylandMode::Saver
             : options.target == SaverTarget::Background ? WaylandMode::Wallpaper
                                                         : WaylandMode::Window;
  run.showFps = options.showFps;
  run.frameLimit = options.frameLimit;
  run.settings = settings;
  return RunWaylandSaver(run);
}

}  // namespace

int main(int argc, char** argv) {
  OptionsParse parse = parseSaverOptions(argc - 1, argv + 1);
  if (parse.outcome == OptionsOutcome::ShowHelp) {
    std::fputs(saverUsageText(), stdout);
    return 0;
  }
  if (parse.outcome == OptionsOutcome::Error) {
    std::fprintf(stderr, "quellwire: %s\n%s", parse.error.c_str(), saverUsageText());
    return 1;
  }
  SaverOptions& options = parse.options;
  // X11 or Wayland, by the options and the session; xscreensaver's window only on X11.
  const SaverEnvironment environment{std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                                     std::getenv("XSCREENSAVER_WINDOW")};
  const DisplayChoice choice = chooseDisplaySystem(saverDisplayFacts(options, environment));
  if (!choice.refused && choice.system == DisplaySystem::X11) {
    applySaverWindowEnvironment(options, environment.xscreensaverWindow, parse.warnings);
  }
  Report(parse.warnings);

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
  if (choice.system == DisplaySystem::Wayland) return RunOnWayland(options, settings);

  return RunX11Saver(options, settings);
}
