#!/usr/bin/env bash
# Input on headless sway. -fullscreen ends with 0 on a key (wtype), a button, and the pointer
# moving more than 4 pixels from where it was first seen, also across outputs; not on the
# wheel nor on a move of 4 pixels. -background takes no input at all (keys, buttons, moves)
# and ends with 0 on SIGTERM.
source "$(dirname "$0")/lib.sh"
qw_start_sway 800x600 1024x768@2

start() {
  WAYLAND_DEBUG=client qw_start_saver "$@" -glow 0
  qw_wait_drawn HEADLESS-1 "$qw_tmp/shot.png"
  qw_wait_drawn HEADLESS-2 "$qw_tmp/shot.png"
}

start -fullscreen
qw_keys 10
qw_expect_end "key" 15
kill "$qw_keys_pid" 2>/dev/null || true

start -fullscreen
qw_saver_pointer click
qw_expect_end "button" 5

# The first report of the pointer (a move of 0) sets where it was first seen.
start -fullscreen
qw_saver_pointer move 0 0 pause 200 wheel pause 200 move 3 1 pause 200 move -3 -1
qw_expect_running "wheel, then moves of 4 pixels" 2
qw_saver_pointer move 0 0 pause 200 move 3 2
qw_expect_end "5-pixel move" 5

# Across outputs, moved by sway itself while a pointer device is there: from the first
# output's right edge, where the saver first sees it, to the second's left edge is 2 pixels, to
# 4 pixels into it 5.
swaymsg seat - cursor set 799 300 >/dev/null
start -fullscreen
"$QW_VIRTUAL_POINTER" pause 8000 &
qw_saver_pids+=("$!")
qw_wait_pointer_taken 1
qw_expect_running "a pointer device at the first output's edge" 1
swaymsg seat - cursor set 801 300 >/dev/null
qw_expect_running "moved 2 pixels onto the second output" 1
swaymsg seat - cursor set 804 300 >/dev/null
qw_expect_end "moved 5 pixels onto the second output" 5

start -background
wtype -s 700 x  # the keyboard appears first, as a real one is there all along
qw_pointer move 0 0 pause 200 click pause 200 move 300 200 pause 200 wheel
qw_expect_running "background, after keys, buttons and moves" 2
kill -TERM "$qw_saver"
qw_expect_end "background, SIGTERM" 5
