#!/usr/bin/env bash
# SIGTERM (as xscreensaver sends it) ends quellwire with 0 in every mode; -frames ends it too.
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
