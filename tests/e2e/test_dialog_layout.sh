#!/usr/bin/env bash
# The configuration dialog as stored in the saver and as it shows: template, controls, texts,
# styles, rectangles and tab order; then a screenshot of the open dialog.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_driver.sh"
qw_start

qw_dialog_driver 120 layout

# Hold the dialog open for a screenshot. There is no window manager on the virtual display, so
# Wine is asked to draw the frames itself: the caption and the close box then show too.
qw_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
ready="$qw_tmp/dialog-ready"
release="$qw_tmp/dialog-release"
log="$QW_ARTIFACTS/driver-show.log"
wine "$QW_DIALOG_DRIVER" "$(winepath -w "$QW_SCR")" show "$(winepath -w "$ready")" \
  "$(winepath -w "$release")" >"$log" 2>&1 &
driver=$!
for _ in $(seq 1 300); do
  [ -e "$ready" ] && break
  kill -0 "$driver" 2>/dev/null || break
  sleep 0.1
done
[ -e "$ready" ] || { tr -d '\r' <"$log"; qw_fail "the dialog did not open for the screenshot"; }
# Something was drawn: a dialog with text on it has many colours, an empty screen has one. A
# second to finish drawing, and longer on a busy machine.
dialog_drawn() {
  shot=$(qw_screenshot dialog-open)
  colours=$(convert "$shot" -format '%k' info:)
  [ "$colours" -gt 8 ]
}
sleep 1
qw_poll 20 dialog_drawn || true
touch "$release"
status=0
wait "$driver" || status=$?
tr -d '\r' <"$log"
qw_expect_eq "dialog driver, scenario show" 0 "$status"
[ "$colours" -gt 8 ] || qw_fail "the screenshot has only $colours colours"
qw_log "screenshot of the open dialog: $shot"
