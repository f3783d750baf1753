#!/usr/bin/env bash
# Given another program's window (-window-id, or XSCREENSAVER_WINDOW with -root), quellwire
# draws into it, leaves its input alone and ends with 0 when the window goes away.
source "$(dirname "$0")/lib.sh"
qw_start_display

qw_start_test_window 400 300
qw_start_saver -window-id "$qw_window" -color ruby -glow 0 -wires 100
qw_wait_watched "$qw_window"
xdotool mousemove --window "$qw_window" 200 150 click 1 key space mousemove 10 10
qw_expect_running "input to the given window" 2
shot="$QW_ARTIFACTS/given-window.png"
qw_wait_ruby_flock "$qw_window" "$shot"
qw_log "screenshot: $shot"
qw_log "pixels of Ruby's hue: $lit"
[ "$lit" -ge 100 ] || qw_fail "expected the flock in the given window, found $lit lit pixels"
kill "$qw_window_pid"   # its connection closes and its window is destroyed
qw_expect_end "given window destroyed" 5

qw_start_test_window 200 200
XSCREENSAVER_WINDOW="$qw_window" qw_start_saver -root
qw_wait_watched "$qw_window"  # gone before the saver took it, it would be one that does not exist
kill "$qw_window_pid"
qw_expect_end "xscreensaver's window destroyed" 5

qw_start_saver -window-id 0x7fffff0
qw_wait_end "$qw_saver" 5
[ "$qw_status" = 1 ] || qw_fail "a window that does not exist: expected 1, got '$qw_status'"
grep -q "there is no window" "$qw_tmp/saver.err" || qw_fail "no message for a missing window"
