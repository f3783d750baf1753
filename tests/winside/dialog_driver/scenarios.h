// The dialog driver's scenarios. Each opens the dialog through the real saver (owned by the
// driver's window unless it tests the command line), drives it and checks what it shows, its
// exit code and what the settings key holds afterwards. Failures are counted by driver_support.
#pragma once

#include <windows.h>

struct DriverContext {
  const char* saverPath;
  HWND owner;
};

// The template in the saver file and the live dialog's controls, rectangles and tab order.
void runLayoutScenario(const DriverContext& context);
// Opening with no stored settings: defaults, list items, slider ranges, focus; Cancel.
void runOpeningScenario(const DriverContext& context);
// "/c:<handle>", "/c" and an empty command line: the owner and the exit code.
void runCommandLineScenario(const DriverContext& context);
// OK, Reset, Cancel and the close box, each against a prepared store.
void runSavingScenario(const DriverContext& context);
// Holds the dialog open from the moment readyPath is created until releasePath exists.
void runShowScenario(const DriverContext& context, const char* readyPath, const char* releasePath);
