#!/usr/bin/env bash
# Where the compositor has no layer-shell (a headless weston 10): -fullscreen falls back to a
# fullscreen window on the output and draws the flock over all of it, ending with 0 on SIGTERM;
# a window ends by itself after -frames;
# -background ends at once with 1 and says that it needs layer-shell. And what cannot be done
# in a Wayland session without X11 is refused with 1 before anything is drawn: -root and
# -window-id (the message names -background), -background with -x11.
source "$(dirname "$0")/lib.sh"
qw_start_weston

qw_start_saver -fullscreen -color emerald -glow 0 -wires 100
shot="$QW_ARTIFACTS/weston-fullscreen.png"
w="" h="" lit=0 hue=0 cx="" cy="" quadrants=0
# Until the saver's picture shows: the desktop's wallpaper lights everything, and its panel alone
# (drawn before the saver is mapped) lights a strip in two quadrants.
for i in $(seq 1 40); do
  sleep 0.5
  kill -0 "$qw_saver" 2>/dev/null || qw_fail "the saver ended: $(head -c 500 "$qw_tmp/saver.err")"
  rm -f "$qw_tmp"/wayland-screenshot*.png
  (cd "$qw_tmp" && weston-screenshooter >/dev/null 2>&1) || true
  picture=$(ls "$qw_tmp"/wayland-screenshot*.png 2>/dev/null | head -1)
  [ -n "$picture" ] || continue
  cp "$picture" "$shot"
  read -r w h lit hue cx cy quadrants <<<"$(qw_picture "$shot" 0.45 1.0 0.25)"
  [ "${lit:-0}" -lt 500 ] || [ "$lit" -gt $((1024 * 768 / 2)) ] || [ "$quadrants" != 4 ] ||
    [ $((hue * 10)) -lt $((lit * 8)) ] || break
done
qw_log "fullscreen on weston: ${w:-?}x${h:-?}, ${lit:-0} lit, ${hue:-0} of the colour, centre at ${cx:-?}% ${cy:-?}%, ${quadrants:-0} quadrants"
[ "${lit:-0}" -ge 500 ] && [ "$quadrants" = 4 ] || qw_fail "the fullscreen window was not drawn over the output"
[ $((hue * 10)) -ge $((lit * 8)) ] || qw_fail "only $hue of $lit lit pixels in Emerald's hue"
kill -TERM "$qw_saver"
qw_expect_end "fullscreen on weston, SIGTERM" 5
qw_start_saver -window -frames 30 -fps
qw_expect_end "a window, after 30 frames" 60 # the saver runs at low priority: slow on a busy machine
[ ! -s "$qw_tmp/saver.err" ] || qw_fail "the saver printed: $(head -c 500 "$qw_tmp/saver.err")"

# expect_refusal <what> <words in the message> <args...>
expect_refusal() {
  local what=$1 words=$2
  shift 2
  qw_start_saver "$@"
  qw_wait_end "$qw_saver" 10
  [ "$qw_status" = 1 ] || qw_fail "$what: expected the saver to end with 1, got '$qw_status'"
  grep -q -- "$words" "$qw_tmp/saver.err" ||
    qw_fail "$what: the message does not say '$words': $(head -c 300 "$qw_tmp/saver.err")"
  qw_log "$what: ended with 1: $(head -1 "$qw_tmp/saver.err")"
}
expect_refusal "-background on weston" "layer-shell" -background
expect_refusal "-root without X11" "-background" -root
expect_refusal "-window-id without X11" "-background" -window-id 0x200001
expect_refusal "-background with -x11" "-root" -background -x11
