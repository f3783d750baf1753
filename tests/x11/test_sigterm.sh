#!/usr/bin/env bash
# SIGTERM (as xscreensaver and xsecurelock send it) and SIGHUP (as xss-lock sends it to its
# notifier) end quellwire with 0 in every mode; -frames ends it too. A window the saver borrowed
# shows its own background again once it ends: the root window its colour (set as xsetroot sets
# it), a given window its own black. Where the flock cannot be made (its storage refused by the
# failing-calls library), it ends at once with 1, as on Wayland, and says so.
source "$(dirname "$0")/lib.sh"
qw_start_display

# share_of <png> <colour>: the share of the picture's pixels that are exactly that colour.
share_of() {
  convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:mean]' info:
}
# all_of <png> <colour>: every pixel is that colour.
all_of() { [ "$(share_of "$@")" = 1 ]; }

qw_start_saver
qw_wait_saver_window
kill -TERM "$qw_saver"
qw_expect_end "SIGTERM, own window" 5

background='#334455'
xsetroot -solid "$background"
shot="$QW_ARTIFACTS/root"
import -window root "$shot-before.png"
all_of "$shot-before.png" "$background" || qw_fail "xsetroot did not colour the root window"
for signal in TERM HUP; do
  qw_start_saver -root -fps -color ruby
  qw_wait_ruby_flock root "$shot-$signal-running.png"
  [ "$lit" -ge 100 ] || qw_fail "-root: expected the flock on the root window, found $lit lit pixels"
  kill -"$signal" "$qw_saver"
  qw_expect_end "SIG$signal, root window" 5
  import -window root "$shot-$signal-after.png"
  all_of "$shot-$signal-after.png" "$background" ||
    qw_fail "SIG$signal, root window: $(share_of "$shot-$signal-after.png" "$background") of it shows its background ($shot-$signal-after.png)"
  qw_log "SIG$signal, root window: its background is back"
done

qw_start_test_window 400 300
for signal in TERM HUP; do
  qw_start_saver -window-id "$qw_window" -color ruby
  qw_wait_ruby_flock "$qw_window" "$shot-given-$signal.png"
  [ "$lit" -ge 100 ] || qw_fail "-window-id: expected the flock, found $lit lit pixels"
  kill -"$signal" "$qw_saver"
  qw_expect_end "SIG$signal, given window" 5
  import -window "$qw_window" "$shot-given-$signal-after.png"
  all_of "$shot-given-$signal-after.png" black ||
    qw_fail "SIG$signal, given window: its last frame stayed ($shot-given-$signal-after.png)"
done

qw_start_saver -frames 20
qw_expect_end "after 20 frames" 10

if [ -n "${QW_FAILING_CALLS:-}" ]; then
  QW_FAIL=scene LD_PRELOAD=$QW_FAILING_CALLS qw_start_saver -root
  qw_wait_end "$qw_saver" 10
  [ "$qw_status" = 1 ] && grep -q "no memory for the flock" "$qw_tmp/saver.err" ||
    qw_fail "no storage for the flock: ended with '$qw_status': $(head -c 300 "$qw_tmp/saver.err")"
  qw_log "no storage for the flock: ended with 1"
fi
