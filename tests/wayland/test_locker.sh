#!/usr/bin/env bash
# Debian's swaylock (plain red) started over -fullscreen wins: the saver ends with 0, the red
# covers both outputs, the locker gets the keyboard and pointer; once it ends the desktop shows.
# An output plugged in and a workspace shown before it (sway takes the keyboard focus and gives
# it straight back) leave the saver running.
source "$(dirname "$0")/lib.sh"
command -v swaylock >/dev/null || { qw_log "skipped: no swaylock" >&2; exit 77; }
qw_start_sway 800x600 1024x768@2

# A keyboard (typing nothing) and a pointer, there all along as real ones are.
wtype -M shift -s 300000 -m shift &
qw_saver_pids+=("$!")
"$QW_VIRTUAL_POINTER" move 100 100 pause 300000 &
qw_saver_pids+=("$!")
has() { timeout 5 swaymsg -t get_inputs -r | grep -q "\"type\": \"$1\""; }
qw_poll 20 has keyboard && qw_poll 20 has pointer || qw_fail "sway has no keyboard and pointer"

WAYLAND_DEBUG=client qw_start_saver -fullscreen -glow 0
qw_wait_drawn HEADLESS-1 "$QW_ARTIFACTS/saver-1.png"
qw_wait_drawn HEADLESS-2 "$QW_ARTIFACTS/saver-2.png"
entered() { grep -qE "wl_$1@[0-9]+\.enter\(" "$2"; }
qw_poll 20 entered keyboard "$qw_tmp/saver.err" || qw_fail "the saver never had the keyboard"
qw_plug
timeout 5 swaymsg workspace 5 >/dev/null
qw_expect_running "an output plugged in, another workspace shown" 2

WAYLAND_DEBUG=client swaylock -c ff0000 >"$qw_tmp/swaylock.log" 2>&1 &
locker=$!
qw_saver_pids+=("$locker")
qw_expect_end "a locker started" 20
# shows <output> <png> red|dark: the output's screenshot is red all over, or has nothing lit.
shows() {
  local width height lit hue
  qw_shot "$1" "$2"
  read -r width height lit hue _ <<<"$(qw_picture "$2" 255 0 0)"
  if [ "$3" = red ]; then [ "$hue" -ge $((width * height * 95 / 100)) ]; else [ "$lit" -lt 50 ]; fi
}
for output in HEADLESS-1 HEADLESS-2; do
  qw_poll 20 shows "$output" "$QW_ARTIFACTS/locked-$output.png" red ||
    qw_fail "the locker's red does not cover $output"
done
qw_poll 20 entered keyboard "$qw_tmp/swaylock.log" && qw_poll 20 entered pointer "$qw_tmp/swaylock.log" ||
  qw_fail "the locker did not get the keyboard and the pointer"

qw_stop "$locker"  # unlocked
for output in HEADLESS-1 HEADLESS-2; do
  qw_poll 20 shows "$output" "$QW_ARTIFACTS/unlocked-$output.png" dark ||
    qw_fail "$output does not show the desktop after the locker ended"
done
