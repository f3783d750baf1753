#!/usr/bin/env bash
# What ends a full-screen saver: a pointer move of more than 4 pixels from where it started
# (2 + 2 does not, 3 + 2 does) and a press of the left, right or middle button; each ends it
# with 0.
source "$(dirname "$0")/lib.sh"
qw_start

# run_saver: starts a full-screen saver with the pointer parked and waits for its window.
run_saver() {
  xdotool mousemove 512 384
  qw_start_saver /s
  local windows
  windows=$(qw_helper describe 20000)
  [ "$(qw_field count "$windows")" = 1 ] ||
    qw_fail "no saver window: $windows; saver running: $(qw_saver_pid)"
  sleep 0.5
}

run_saver
xdotool mousemove_relative 2 2
qw_expect_running "a 4-pixel move" 2
xdotool mousemove_relative -- -2 -2
qw_expect_running "back where it started" 1
xdotool mousemove_relative 3 2
qw_expect_eq "exit code after a 5-pixel move" 0 "$(qw_saver_exit 20)"

for button in 1 3 2; do
  run_saver
  xdotool click "$button"
  qw_expect_eq "exit code after pressing button $button" 0 "$(qw_saver_exit 20)"
done
