#!/usr/bin/env bash
# SIGTERM (as xscreensaver sends it) ends quellwire with 0 in every mode; -frames ends it too.
# Where the flock cannot be made (its storage refused by the failing-calls library), it ends at
# once with 1, as on Wayland, and says so.
source "$(dirname "$0")/lib.sh"
qw_start_display

qw_start_saver
qw_wait_saver_window
kill -TERM "$qw_saver"
qw_expect_end "SIGTERM, own window" 5

qw_start_saver -root -fps
sleep 2
kill -TERM "$qw_saver"
qw_expect_end "SIGTERM, root window" 5

qw_start_test_window
qw_start_saver -window-id "$qw_window"
sleep 2
kill -TERM "$qw_saver"
qw_expect_end "SIGTERM, given window" 5

qw_start_saver -frames 20
qw_expect_end "after 20 frames" 10

if [ -n "${QW_FAILING_CALLS:-}" ]; then
  QW_FAIL=scene LD_PRELOAD=$QW_FAILING_CALLS qw_start_saver -root
  qw_wait_end "$qw_saver" 10
  [ "$qw_status" = 1 ] && grep -q "no memory for the flock" "$qw_tmp/saver.err" ||
    qw_fail "no storage for the flock: ended with '$qw_status': $(head -c 300 "$qw_tmp/saver.err")"
  qw_log "no storage for the flock: ended with 1"
fi
