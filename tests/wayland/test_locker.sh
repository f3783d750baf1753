#!/usr/bin/env bash
# A screen locker (Debian's swaylock, in a plain red) started while -fullscreen shows wins: the
# saver ends with 0 as the locker takes the keyboard and pointer focus, the locker's red covers
# both outputs and it gets the keyboard and the pointer. Once the locker ends, the desktop shows,
# not the saver. The keyboard and the pointer are there from the start, as real ones are; an
# output plugged in before the locker starts does not end the saver.
source "$(dirname "$0")/lib.sh"
command -v swaylock >/dev/null || { qw_log "skipped: no swaylock" >&2; exit 77; }
qw_start_sway 800x600 1024x768@2

sway_has_both() {
  local types
  types=$(timeout 5 swaymsg -t get_inputs -r 2>/dev/null |
            python3 -c 'import json, sys; print(" ".join(d["type"] for d in json.load(sys.stdin)))') || return 1
  [[ " $types " == *" keyboard "* && " $types " == *" pointer "* ]]
}

# A keyboard (it types nothing) and a pointer over the first output, held for the whole test.
wtype -M shift -s 300000 -m shift &
qw_saver_pids+=("$!")
"$QW_VIRTUAL_POINTER" move 100 100 pause 300000 &
qw_saver_pids+=("$!")
qw_poll 20 sway_has_both || qw_fail "sway offers no keyboard and pointer"

WAYLAND_DEBUG=client qw_start_saver -fullscreen -glow 0
qw_wait_drawn HEADLESS-1 "$QW_ARTIFACTS/saver-1.png"
qw_wait_drawn HEADLESS-2 "$QW_ARTIFACTS/saver-2.png"
focused() { grep -qE "wl_keyboard@[0-9]+\.enter\(" "$1"; }
qw_poll 20 focused "$qw_tmp/saver.err" || qw_fail "the saver never had the keyboard focus"
# sway takes the keyboard focus from the saver and gives it straight back when an output is
# plugged in or another workspace shown: that is no loss.
qw_plug
timeout 5 swaymsg workspace 5 >/dev/null
qw_expect_running "an output plugged in, another workspace shown" 2

WAYLAND_DEBUG=client swaylock -c ff0000 >"$qw_tmp/swaylock.log" 2>&1 &
locker=$!
qw_saver_pids+=("$locker")
qw_expect_end "a locker started" 20

# red <output> <png>: the output's screenshot is red all over (lit pixels of the red hue).
red() {
  local width height lit hue
  qw_shot "$1" "$2"
  read -r width height lit hue _ <<<"$(qw_picture "$2" 255 0 0)"
  [ "$hue" -ge $((width * height * 95 / 100)) ]
}
for output in HEADLESS-1 HEADLESS-2; do
  qw_poll 20 red "$output" "$QW_ARTIFACTS/locked-$output.png" ||
    qw_fail "the locker's red does not cover $output (see $QW_ARTIFACTS/locked-$output.png)"
done
for device in keyboard pointer; do
  qw_poll 20 grep -qE "wl_$device@[0-9]+\.enter\(" "$qw_tmp/swaylock.log" ||
    qw_fail "the locker never got the $device"
done
qw_log "the locker covers both outputs and has the keyboard and the pointer"

# Unlocked (the locker ends): the desktop shows, nothing lit and nothing red.
qw_stop "$locker"
dark() { qw_shot "$1" "$2" && [ "$(qw_lit_count "$2")" -lt 50 ]; }
for output in HEADLESS-1 HEADLESS-2; do
  qw_poll 20 dark "$output" "$QW_ARTIFACTS/unlocked-$output.png" ||
    qw_fail "$output does not show the desktop after the locker ended"
done
qw_log "after the locker ended, both outputs show the desktop"
