// dialog_driver <saver.scr> <scenario>...
//   scenarios: layout, opening, command-lines, saving, show <ready-file> <release-file>
// Runs each scenario against the real saver and prints every failed check; the exit status is
// 0 when all checks passed, 1 when any failed and 2 for a bad command line.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "driver_support.h"
#include "scenarios.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: dialog_driver <saver.scr> <scenario>...\n");
    return 2;
  }
  DriverContext context{argv[1], createOwnerWindow()};
  for (int i = 2; i < argc; ++i) {
    const char* scenario = argv[i];
    if (std::strcmp(scenario, "layout") == 0) {
      runLayoutScenario(context);
    } else if (std::strcmp(scenario, "opening") == 0) {
      runOpeningScenario(context);
    } else if (std::strcmp(scenario, "command-lines") == 0) {
      runCommandLineScenario(context);
    } else if (std::strcmp(scenario, "saving") == 0) {
      runSavingScenario(context);
    } else if (std::strcmp(scenario, "show") == 0 && i + 2 < argc) {
      runShowScenario(context, argv[i + 1], argv[i + 2]);
      i += 2;
    } else {
      std::fprintf(stderr, "dialog_driver: unknown scenario %s\n", scenario);
      return 2;
    }
  }
  std::printf("dialog_driver: %d failed check(s)\n", failureCount());
  return failureCount() == 0 ? 0 : 1;
}
