// The configuration dialog's controls and the settings they edit: what each control shows for a
// setting, the setting each control gives back (with its fall-back), the defaults that Reset
// shows, and which command a control id stands for. Pure conversions; the dialog procedure only
// moves these values between the controls and the settings record.
#pragma once

#include <cstdint>

#include "settings/settings.h"

// A value as a control reports it (list selection, slider position, check state), taken as an
// unsigned number, so that a negative report such as CB_ERR counts as far out of range.
using DialogControlValue = std::uint64_t;

// What the six controls show, or what they reported.
struct DialogControls {
  DialogControlValue colorSelection;    // list "Colors:", index = ColorScheme
  DialogControlValue glowSelection;     // list "Glow:", index = GlowMode
  DialogControlValue quantityPosition;  // slider "Wires:", 0 to 100
  DialogControlValue sizePosition;      // slider "Wire Length:", 0 to 100
  DialogControlValue speedPosition;     // slider "Speed:", 0 to 100
  DialogControlValue symmetryCheck;     // check box "Symmetry": BST_CHECKED or BST_UNCHECKED
};

// The sliders run from 0 at the left end to 100 at the right, with a tick every 10.
constexpr int kDialogSliderMinimum = 0;
constexpr int kDialogSliderMaximum = 100;
constexpr int kDialogSliderTickFrequency = 10;

// The list items are kColorSchemeNames and kGlowModeNames (settings/glow_and_color.h), added in
// their order, so that an item's index is its setting value.

// What a WM_COMMAND from a control asks of the dialog.
enum DialogCommand {
  DialogCommandIgnored,  // left to the default dialog handling
  DialogCommandOk,       // read the controls, save, end with TRUE
  DialogCommandCancel,   // end with FALSE, save nothing
  DialogCommandReset,    // show the defaults; nothing is saved
};

// The command for a control id (the low word of WM_COMMAND's wParam).
DialogCommand dialogCommandFromId(std::uint32_t controlId);

// Slider position for a fraction: the fraction x 100 to the nearest whole number. A fraction
// whose percentage is outside 0..100, or not a number, shows 50, the value saving it would store.
DialogControlValue dialogSliderPositionFromFraction(float fraction);

// Fraction for a slider position: position / 100, as loading forms it from a stored percentage;
// a position above 100 counts as 0.5.
float dialogFractionFromSliderPosition(DialogControlValue position);

// Colour scheme for a Colors selection; above 6 (CB_ERR included) it is Cycle.
ColorScheme dialogColorFromSelection(DialogControlValue selection);

// Glow mode for a Glow selection; above 3 (CB_ERR included) it is HighQuality.
GlowMode dialogGlowFromSelection(DialogControlValue selection);

// Symmetry for the check box: 1 when it is BST_CHECKED, otherwise 0.
std::uint8_t dialogSymmetryFromCheck(DialogControlValue checkState);

// What the controls show when the dialog opens on these settings. Glow WiresOnly (3) selects an
// index beyond the Glow list, which leaves the list with no selection.
DialogControls dialogControlsFromSettings(const Settings& settings);

// The settings that OK takes from what the controls reported.
Settings dialogSettingsFromControls(const DialogControls& controls);

// What Reset shows: the default settings, that is Cycle, High Quality, all sliders at 50 and
// Symmetry clear.
DialogControls dialogResetControls();
