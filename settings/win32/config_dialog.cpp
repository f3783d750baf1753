// The configuration dialog "Quellwire Setup" (template IDD_CONFIG_DIALOG): it loads the
// settings into its controls when it opens, shows the defaults on Reset, and on OK reads the
// controls back into the settings and saves them. What a control shows for a setting, and the
// setting it gives back, is decided by the dialog mapping; this file only carries it out.
#include <windows.h>
#include <commctrl.h>

#include "windows/win32/screensaver_callbacks.h"
#include "resources/config_dialog_ids.h"
#include "settings/dialog_mapping.h"
#include "settings/dialog_system_values.h"
#include "settings/settings.h"

namespace {

LRESULT sendToControl(HWND dialog, int controlId, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(GetDlgItem(dialog, controlId), message, wParam, lParam);
}

// A control's answer as the unsigned number the mapping compares.
DialogControlValue reportOf(LRESULT answer) { return static_cast<DialogControlValue>(answer); }

void addListItems(HWND dialog, int listId, const char* const* names, int count) {
  for (int i = 0; i < count; ++i) {
    sendToControl(dialog, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i]));
  }
}

// An index beyond the list leaves it with no selection.
void selectListItem(HWND dialog, int listId, DialogControlValue index) {
  sendToControl(dialog, listId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void prepareSlider(HWND dialog, int sliderId) {
  sendToControl(dialog, sliderId, TBM_SETRANGEMIN, FALSE, kDialogSliderMinimum);
  sendToControl(dialog, sliderId, TBM_SETRANGEMAX, FALSE, kDialogSliderMaximum);
  sendToControl(dialog, sliderId, TBM_SETTICFREQ, kDialogSliderTickFrequency, 0);
}

void moveSlider(HWND dialog, int sliderId, DialogControlValue position) {
  sendToControl(dialog, sliderId, TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
}

void setCheck(HWND dialog, int checkId, DialogControlValue state) {
  sendToControl(dialog, checkId, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void openDialog(HWND dialog) {
  loadSettings();

  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_BAR_CLASSES | ICC_USEREX_CLASSES;
  InitCommonControlsEx(&classes);

  const DialogControls shown = dialogControlsFromSettings(currentSettings());
  addListItems(dialog, IDC_COLORS_LIST, kColorSchemeNames, kColorSchemeCount);
  selectListItem(dialog, IDC_COLORS_LIST, shown.colorSelection);
  addListItems(dialog, IDC_GLOW_LIST, kGlowModeNames, kNamedGlowModeCount);
  selectListItem(dialog, IDC_GLOW_LIST, shown.glowSelection);

  prepareSlider(dialog, IDC_QUANTITY_SLIDER);
  moveSlider(dialog, IDC_QUANTITY_SLIDER, shown.quantityPosition);
  prepareSlider(dialog, IDC_SIZE_SLIDER);
  moveSlider(dialog, IDC_SIZE_SLIDER, shown.sizePosition);
  prepareSlider(dialog, IDC_SPEED_SLIDER);
  moveSlider(dialog, IDC_SPEED_SLIDER, shown.speedPosition);

  setCheck(dialog, IDC_SYMMETRY_CHECK, shown.symmetryCheck);
}

// Puts the controls back to the defaults; the settings stay as they are until OK.
void showDefaults(HWND dialog) {
  const DialogControls reset = dialogResetControls();
  selectListItem(dialog, IDC_COLORS_LIST, reset.colorSelection);
  selectListItem(dialog, IDC_GLOW_LIST, reset.glowSelection);
  moveSlider(dialog, IDC_QUANTITY_SLIDER, reset.quantityPosition);
  moveSlider(dialog, IDC_SPEED_SLIDER, reset.speedPosition);
  moveSlider(dialog, IDC_SIZE_SLIDER, reset.sizePosition);
  setCheck(dialog, IDC_SYMMETRY_CHECK, reset.symmetryCheck);
}

void acceptDialog(HWND dialog) {
  DialogControls reported{};
  reported.colorSelection = reportOf(sendToControl(dialog, IDC_COLORS_LIST, CB_GETCURSEL, 0, 0));
  reported.glowSelection = reportOf(sendToControl(dialog, IDC_GLOW_LIST, CB_GETCURSEL, 0, 0));
  reported.quantityPosition =
      reportOf(sendToControl(dialog, IDC_QUANTITY_SLIDER, TBM_GETPOS, 0, 0));
  reported.sizePosition = reportOf(sendToControl(dialog, IDC_SIZE_SLIDER, TBM_GETPOS, 0, 0));
  reported.speedPosition = reportOf(sendToControl(dialog, IDC_SPEED_SLIDER, TBM_GETPOS, 0, 0));
  reported.symmetryCheck = reportOf(sendToControl(dialog, IDC_SYMMETRY_CHECK, BM_GETCHECK, 0, 0));

  currentSettings() = dialogSettingsFromControls(reported);
  saveSettings();
  EndDialog(dialog, TRUE);
}

}  // namespace

INT_PTR WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      openDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (dialogCommandFromId(LOWORD(wParam))) {
        case DialogCommandOk:
          acceptDialog(dialog);
          return TRUE;
        case DialogCommandCancel:
          EndDialog(dialog, FALSE);
          return TRUE;
        case DialogCommandReset:
          showDefaults(dialog);
          return TRUE;
        case DialogCommandIgnored:
          return FALSE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// The dialog uses only system and common-control classes, so there is nothing to register.
BOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }
