#include "settings/dialog_mapping.h"

#include <cmath>

#include "resources/config_dialog_ids.h"
#include "settings/dialog_system_values.h"

namespace {

constexpr DialogControlValue resetSliderPosition = 50;
constexpr float fallbackFraction = 0.5f;

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
  if (std::isnan(fraction)) return resetSliderPosition;
  // A float times 100 is exact in double, so this rounds the true product.
  const double scaled = static_cast<double>(fraction) * 100.0;
  if (scaled <= dialogSliderMinimum) return dialogSliderMinimum;
  if (scaled >= dialogSliderMaximum) return dialogSliderMaximum;
  return static_cast<DialogControlValue>(std::floor(scaled + 0.5));
}

float dialogFractionFromSliderPosition(DialogControlValue position) {
  if (position > static_cast<DialogControlValue>(dialogSliderMaximum)) return fallbackFraction;
  return static_cast<float>(position) / 100.0f;
}

std::uint8_t dialogColorFromSelection(DialogControlValue selection) {
  if (selection > ColorCycle) return ColorCycle;
  return static_cast<std::uint8_t>(selection);
}

std::uint8_t dialogGlowFromSelection(DialogControlValue selection) {
  // 3 passes, as it does from the store; the list itself never offers it.
  if (selection > 3) return GlowHighQuality;
  return static_cast<std::uint8_t>(selection);
}

std::uint8_t dialogSymmetryFromCheck(DialogControlValue checkState) {
  return checkState == static_cast<DialogControlValue>(BST_CHECKED) ? 1 : 0;
}

DialogControls dialogControlsFromSettings(const Settings& settings) {
  DialogControls controls{};
  controls.colorSelection = settings.color;
  controls.glowSelection = settings.glow;
  controls.quantityPosition = dialogSliderPositionFromFraction(settings.quantity);
  controls.sizePosition = dialogSliderPositionFromFraction(settings.size);
  controls.speedPosition = dialogSliderPositionFromFraction(settings.speed);
  controls.symmetryCheck = static_cast<DialogControlValue>(settings.symmetry != 0 ? BST_CHECKED
                                                                                  : BST_UNCHECKED);
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

DialogControls dialogResetControls() {
  DialogControls controls{};
  controls.colorSelection = ColorCycle;
  controls.glowSelection = GlowHighQuality;
  controls.quantityPosition = resetSliderPosition;
  controls.sizePosition = resetSliderPosition;
  controls.speedPosition = resetSliderPosition;
  controls.symmetryCheck = static_cast<DialogControlValue>(BST_UNCHECKED);
  return controls;
}
