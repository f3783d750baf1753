#!/usr/bin/env bash
# Full screen, quellwire ends (with 0) on a key, a button press, a pointer move of 5 pixels and
# the loss of focus, but not on a move of 4 pixels.
source "$(dirname "$0")/lib.sh"
qw_start_display

# The full-screen window holds the focus.
focused() { [ "$(xdotool getwindowfocus)" = "$(xdotool search --name '^Quellwire$' | head -1)" ]; }

start() {
  xdotool mousemove 500 400
  qw_start_saver -fullscreen
  qw_wait_saver_window
  qw_poll 10 focused || qw_fail "the full-screen window did not take the focus"
}

start
xdotool key space
qw_expect_end "key" 5

start
xdotool click 1
qw_expect_end "left button" 5

start
xdotool click 4
qw_expect_running "wheel" 2
xdotool mousemove 502 402   # 4 pixels from where the pointer was at the start
qw_expect_running "4-pixel move" 2
xdotool mousemove 503 402   # 5 pixels
qw_expect_end "5-pixel move" 5

start
qw_start_test_window
xdotool windowfocus "$qw_window"
qw_expect_end "focus lost" 5
