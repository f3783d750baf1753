#!/usr/bin/env bash
# SIGTERM (as xscreensaver and xsecurelock send it) and SIGHUP (as xss-lock sends it to its
# notifier) end quellwire with 0 in every mode; -frames ends it too. A window the saver borrowed
# shows its own picture again once it ends, pixel for pixel: the root window its colour or its
# tiled picture (as xsetroot and wallpaper setters set them), a given window its own black. Where
# the flock cannot be made (its storage refused by the failing-calls library), it ends at once
# with 1, as on Wayland, and says so.
source "$(dirname "$0")/lib.sh"
qw_start_display

qw_start_saver
qw_wait_saver_window
kill -TERM "$qw_saver"
qw_expect_end "SIGTERM, own window" 5

# hands_back <name> <signal> <window> <saver options...>: the saver shows the flock in the window
# and ends with 0 on the signal; the window then looks as it did before, pixel for pixel.
hands_back() {
  local shot="$QW_ARTIFACTS/$1" changed
  import -window "$3" "$shot-before.png"
  qw_start_saver "${@:4}" -color ruby
  qw_wait_ruby_flock "$3" "$shot-flock.png"
  [ "$lit" -ge 100 ] || qw_fail "$1: expected the flock, $lit lit pixels ($shot-flock.png)"
  kill -"$2" "$qw_saver"
  qw_expect_end "SIG$2, $1" 5
  import -window "$3" "$shot-after.png"
  changed=$(compare -metric AE "$shot-before.png" "$shot-after.png" null: 2>&1 || true)
  [ "$changed" = 0 ] || qw_fail "SIG$2, $1: $changed pixels differ from before ($shot-after.png)"
  qw_log "SIG$2, $1: the window's own picture is back"
}
xsetroot -solid '#334455'
hands_back root-colour TERM root -root -fps
printf '#define t_width 2\n#define t_height 2\nstatic unsigned char t_bits[] = {\n 0x01, 0x02};\n' \
  >"$qw_tmp/t.xbm"
xsetroot -bitmap "$qw_tmp/t.xbm" -fg '#334455' -bg '#aa7711'
hands_back root-picture HUP root -root
qw_start_test_window 400 300
hands_back given-window TERM "$qw_window" -window-id "$qw_window"

qw_start_saver -frames 20
qw_expect_end "after 20 frames" 10

if [ -n "${QW_FAILING_CALLS:-}" ]; then
  QW_FAIL=scene LD_PRELOAD=$QW_FAILING_CALLS qw_start_saver -root
  qw_wait_end "$qw_saver" 10
  [ "$qw_status" = 1 ] && grep -q "no memory for the flock" "$qw_tmp/saver.err" ||
    qw_fail "no storage for the flock: ended with '$qw_status': $(head -c 300 "$qw_tmp/saver.err")"
  qw_log "no storage for the flock: ended with 1"
fi
