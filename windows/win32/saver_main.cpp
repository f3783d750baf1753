// Start-up and the choice of mode.
#include <windows.h>
#include <commctrl.h>

#include "windows/command_line.h"
#include "windows/saver_host_state.h"
#include "windows/win32/fault_guard.h"
#include "windows/win32/saver_host.h"
#include "windows/win32/screensaver_callbacks.h"
#include "windows/win32/win32_system_hooks.h"
#include "resources/config_dialog_ids.h"

namespace {

HWND toWindow(WindowHandle handle) { return static_cast<HWND>(handle); }

HWND ownerFor(const SaverDispatch& dispatch) {
  return dispatch.useForegroundWindow ? GetForegroundWindow() : toWindow(dispatch.window);
}

int runMode(const char* arguments) {
  const SaverCommand command = ParseSaverCommand(arguments);
  const bool windowIsValid = command.window && IsWindow(toWindow(command.window));
  const SaverDispatch dispatch = DecideDispatch(command, HostState().is9xPlatform, windowIsValid);
  switch (dispatch.action) {
    case SaverAction::ShowConfigDialog:
      return ShowConfigDialog(ownerFor(dispatch));
    case SaverAction::RunFullScreen:
      return RunSaverWindow(nullptr);
    case SaverAction::RunPreview:
      return RunSaverWindow(toWindow(dispatch.window));
    case SaverAction::ChangePassword:
      ChangeSaverPassword(ownerFor(dispatch));
      return 0;
    case SaverAction::Refuse:
      break;
  }
  return -1;
}

struct GuardedMode {
  const char* arguments;
  int result;
};

void runGuardedMode(void* context) {
  GuardedMode* mode = static_cast<GuardedMode*>(context);
  mode->result = runMode(mode->arguments);
}

}  // namespace

int ShowConfigDialog(HWND owner) {
  HINSTANCE instance = static_cast<HINSTANCE>(HostState().instance);
  if (!RegisterDialogClasses(instance)) return 0;
  return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG_DIALOG), owner,
                                          ScreenSaverConfigureDialog, 0));
}

int SaverMain(HINSTANCE instance, const char* arguments) {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_TAB_CLASSES;
  InitCommonControlsEx(&controls);

  SaverHostState& host = HostState();
  host.instance = instance;

  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  host.is9xPlatform = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;

  GuardedMode mode = {arguments, 0};
  if (!RunGuarded(runGuardedMode, &mode)) {
    SetSaverRunning(false);  // the system must not believe a saver still runs
    return -1;
  }
  return mode.result;
}
