#include "settings/dialog_mapping.h"

#include "resources/config_dialog_ids.h"
#include "settings/dialog_system_values.h"
#include "settings/stored_settings.h"

namespace {

constexpr float kFallbackFraction = 0.5f;

}  // namespace

DialogCommand dialogCommandFromId(std::uint32_t controlId) {
  switch (controlId) {
    case IDOK:
      return DialogCommandOk;
    case IDCANCEL:
      return DialogCommandCancel;
    case IDC_RESET_BUTTON:
      return DialogCommandReset;
    default:
      return DialogCommandIgnored;
  }
}

DialogControlValue dialogSliderPositionFromFraction(float fraction) {
  return settingsPercentFromFraction(fraction);
}

float dialogFractionFromSliderPosition(DialogControlValue position) {
  if (position > static_cast<DialogControlValue>(kDialogSliderMaximum)) return kFallbackFraction;
  return settingsFractionFromPercent(static_cast<std::uint32_t>(position));
}

ColorScheme dialogColorFromSelection(DialogControlValue selection) {
  if (selection > static_cast<DialogControlValue>(ColorScheme::Cycle)) return ColorScheme::Cycle;
  return static_cast<ColorScheme>(selection);
}

GlowMode dialogGlowFromSelection(DialogControlValue selection) {
  // WiresOnly passes, as it does from the store; the list itself never offers it.
  if (selection > static_cast<DialogControlValue>(GlowMode::WiresOnly)) {
    return GlowMode::HighQuality;
  }
  return static_cast<GlowMode>(selection);
}

std::uint8_t dialogSymmetryFromCheck(DialogControlValue checkState) {
  return checkState == static_cast<DialogControlValue>(BST_CHECKED) ? 1 : 0;
}

DialogControls dialogControlsFromSettings(const Settings& settings) {
  DialogControls controls{};
  controls.colorSelection = static_cast<DialogControlValue>(settings.color);
  controls.glowSelection = static_cast<DialogControlValue>(settings.glow);
  controls.quantityPosition = dialogSliderPositionFromFraction(settings.quantity);
  controls.sizePosition = dialogSliderPositionFromFraction(settings.size);
  controls.speedPosition = dialogSliderPositionFromFraction(settings.speed);
  controls.symmetryCheck =
      static_cast<DialogControlValue>(settings.symmetry != 0 ? BST_CHECKED : BST_UNCHECKED);
  return controls;
}

Settings dialogSettingsFromControls(const DialogControls& controls) {
  Settings settings{};
  settings.quantity = dialogFractionFromSliderPosition(controls.quantityPosition);
  settings.size = dialogFractionFromSliderPosition(controls.sizePosition);
  settings.speed = dialogFractionFromSliderPosition(controls.speedPosition);
  settings.glow = dialogGlowFromSelection(controls.glowSelection);
  settings.color = dialogColorFromSelection(controls.colorSelection);
  settings.symmetry = dialogSymmetryFromCheck(controls.symmetryCheck);
  return settings;
}

DialogControls dialogResetControls() { return dialogControlsFromSettings(settingsDefaults()); }
