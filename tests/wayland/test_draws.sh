#!/usr/bin/env bash
# On a headless sway with two outputs of different sizes, one at scale 2, quellwire draws the
# flock in each mode: -fullscreen and -background on both outputs, each at the output's full
# pixel size (the compositor is given buffers of 800x600 and 1024x768, the second at buffer
# scale 2), centred, spread over all four quadrants, in the chosen colour; -window in a window
# that sway tiles over the first output, which follows its output's scale. An output hidden under a fullscreen window holds up no
# other, and draws again once uncovered. -fps draws its figures on every output. SIGTERM or
# SIGINT ends each with 0; closing the window ends -window with 0.
source "$(dirname "$0")/lib.sh"
qw_start_sway 800x600 1024x768@2

# spread: a screenshot of $output (into $shot, its facts in $facts) shows the flock in all four
# quadrants, at least four fifths of its lit pixels in $colour (a young flock's few short wires
# show more of their white cores than its halo).
spread() {
  local lit hue quadrants
  qw_shot "$output" "$shot"
  facts=$(qw_picture "$shot" "${colour[@]}")
  read -r _ _ lit hue _ _ quadrants <<<"$facts"
  [ "$quadrants" = 4 ] && [ $((hue * 10)) -ge $((lit * 8)) ]
}

# check_output <mode> <output> <width> <height> <r g b>: the flock drawn on the output.
check_output() {
  local mode=$1 output=$2 shot="$QW_ARTIFACTS/$1-$2.png" colour=("$5" "$6" "$7") facts w h lit hue
  local cx cy quadrants
  qw_wait_drawn "$output" "$shot" 500
  # A second of flight, so that the flock spreads; on a busy machine, until it has.
  sleep 1
  qw_poll 20 spread || true
  read -r w h lit hue cx cy quadrants <<<"$facts"
  qw_log "$mode on $output: ${w}x$h, $lit lit, $hue of the colour, centre at $cx% $cy%, $quadrants quadrants"
  [ "$w" = "$3" ] && [ "$h" = "$4" ] || qw_fail "$mode on $output: screenshot of ${w}x$h, not $3x$4"
  [ $((hue * 10)) -ge $((lit * 8)) ] || qw_fail "$mode on $output: only $hue of $lit lit pixels in the colour"
  [ "$cx" -ge 35 ] && [ "$cx" -le 65 ] && [ "$cy" -ge 35 ] && [ "$cy" -le 65 ] ||
    qw_fail "$mode on $output: the flock is not centred ($cx% $cy%)"
  [ "$quadrants" = 4 ] || qw_fail "$mode on $output: the flock fills only $quadrants quadrants"
}

# The buffers the saver gave the compositor, from its own protocol log: every one at its
# output's full pixel size, none at the scaled output's logical size.
WAYLAND_DEBUG=client qw_start_saver -fullscreen -color lapis -glow 0 -wires 100
check_output fullscreen HEADLESS-1 800 600 0.4 0.9 1.0
check_output fullscreen HEADLESS-2 1024 768 0.4 0.9 1.0
kill -TERM "$qw_saver"
qw_expect_end "fullscreen, SIGTERM" 5
sizes=$(grep -oE 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, [0-9]+, [0-9]+' "$qw_tmp/saver.err" |
          awk -F', ' '{ print $3 "x" $4 }' | sort -u | tr '\n' ' ')
qw_log "buffer sizes: $sizes"
[ "$sizes" = "1024x768 800x600 " ] || qw_fail "buffers of other sizes than the outputs': $sizes"
grep -q 'set_buffer_scale(2)' "$qw_tmp/saver.err" || qw_fail "the scaled output's surface was not told its scale"

WAYLAND_DEBUG=client qw_start_saver -background -color amber -glow 0 -wires 100 -fps
check_output background HEADLESS-1 800 600 1.0 0.8 0.35
check_output background HEADLESS-2 1024 768 1.0 0.8 0.35
# -fps: the figures in pure white, 8 pixels in from the lower left corner of each output.
for shot in HEADLESS-1:600 HEADLESS-2:768; do
  white=$(convert "$QW_ARTIFACTS/background-${shot%%:*}.png" -crop "120x24+0+$((${shot#*:} - 32))" \
            +repage -fill black +opaque white -format '%[fx:round(mean * w * h)]' info:)
  [ "$white" -ge 150 ] || qw_fail "-fps on ${shot%%:*}: $white white pixels where the figures go"
done

# expect_drawing <output> <what> <drawing>: <drawing> of the saver's surfaces draw (each asks
# for 10 frame callbacks, in its protocol log) while the others ask for at most one meanwhile,
# and the picture on the output changes. Sway covers or uncovers an output a moment after it is
# told to, so the count starts again, up to 10 times, until the others have stopped.
expect_drawing() {
  local start i attempt counts=()
  qw_shot "$1" "$qw_tmp/a.png"
  for attempt in $(seq 1 10); do
    start=$(wc -l <"$qw_tmp/saver.err")
    for i in $(seq 1 300); do
      read -r -a counts <<<"$(tail -n +"$start" "$qw_tmp/saver.err" |
        grep -oE -- '-> wl_surface@[0-9]+\.frame\(' | sort | uniq -c | sort -rn |
        awk '{ print $1 }' | tr '\n' ' ')"
      [ "${counts[$(($3 - 1))]:-0}" -lt 10 ] || break
      sleep 0.1
    done
    [ "${counts[$(($3 - 1))]:-0}" -ge 10 ] && [ "${counts[$3]:-0}" -gt 1 ] || break
  done
  qw_shot "$1" "$qw_tmp/b.png"
  local differ
  differ=$(compare -metric AE "$qw_tmp/a.png" "$qw_tmp/b.png" null: 2>&1 || true)
  qw_log "$2: frames asked for by each surface: ${counts[*]} (count $attempt); $differ pixels changed on $1"
  [ "${counts[$(($3 - 1))]:-0}" -ge 10 ] || qw_fail "$2: fewer than $3 surfaces drew"
  [ "${counts[$3]:-0}" -le 1 ] || qw_fail "$2: a hidden surface drew"
  [ "${differ%%.*}" -gt 0 ] 2>/dev/null || qw_fail "$2: the flock on $1 stands still"
}
# A fullscreen window over the second output hides its wallpaper, which then gets no frame
# callbacks and draws nothing: the first output goes on drawing, and the second does again once
# uncovered.
swaymsg focus output HEADLESS-2 >/dev/null
weston-flower >/dev/null 2>&1 &
cover=$!
qw_saver_pids+=("$cover")
for i in $(seq 1 50); do
  swaymsg '[app_id="org.freedesktop.weston.flower"] fullscreen enable' >/dev/null 2>&1 && break
  sleep 0.1
done
expect_drawing HEADLESS-1 "second output hidden" 1
kill "$cover"
expect_drawing HEADLESS-2 "second output uncovered" 2
kill -INT "$qw_saver"
qw_expect_end "background, SIGINT" 5
! grep -v '^\[' "$qw_tmp/saver.err" || qw_fail "the saver printed the lines above"

swaymsg focus output HEADLESS-1 >/dev/null
WAYLAND_DEBUG=client qw_start_saver -window -color ruby -glow 0 -wires 100
check_output window HEADLESS-1 800 600 1.0 0.28 0.28
# The window follows its output's scale, also where no configure comes with the change (sway
# keeps a floating window's size): 400x300 at scale 1, then drawn at 800x600 for scale 2.
# drawn_since <line> <scale> <size>: the saver told that scale, then drew at that size.
drawn_since() {
  tail -n +"$1" "$qw_tmp/saver.err" | grep -oE "set_buffer_scale\($2\)|create_buffer\([^,]+, 0, $3" |
    grep -A1 set_buffer_scale | grep -q create_buffer
}
swaymsg '[app_id="quellwire"] floating enable, resize set 400 300, move position 0 0' >/dev/null
qw_poll 20 drawn_since 1 1 "400, 300" || qw_fail "the floating window was not drawn at 400x300"
start=$(wc -l <"$qw_tmp/saver.err")
swaymsg output HEADLESS-1 scale 2 >/dev/null
qw_poll 20 drawn_since "$start" 2 "800, 600" || qw_fail "the window did not follow its output to scale 2"
swaymsg '[app_id="quellwire"] kill' >/dev/null
qw_expect_end "window closed" 5
! grep -v '^\[' "$qw_tmp/saver.err" || qw_fail "the saver printed the lines above"
