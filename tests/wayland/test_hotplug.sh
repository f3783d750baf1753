#!/usr/bin/env bash
# Outputs come and go at random moments while the saver runs, in each mode: on a sway nested in
# sway, outputs are plugged (a new output) and unplugged (its window closed, so the output and its
# wl_output global go, and the layer surfaces on it are closed), from none left to four, the
# others resized as the outer sway tiles them anew. The saver must keep running without a word,
# then show the flock on every output there is (the window: on one), and end with 0 on SIGTERM.
# Last, the compositor itself goes away under the saver: it ends with 0.
# QW_HOTPLUG_COUNT sets the changes per mode (default 6); scripts/soak runs 200.
source "$(dirname "$0")/lib.sh"
qw_start_nested_sway 2
count=${QW_HOTPLUG_COUNT:-6}

# A random delay from 0 to 0.6 s.
random_pause() { sleep "$(printf '0.%03d' $((RANDOM % 600)))"; }

# One change: a new output when there are fewer than two (or by chance, up to four), else one
# of them unplugged.
change() {
  local outputs
  read -r -a outputs <<<"$(qw_outputs)"
  if [ "${#outputs[@]}" -lt 2 ] || { [ "${#outputs[@]}" -lt 4 ] && [ $((RANDOM % 2)) = 0 ]; }; then
    qw_plug
    changes+=("+$qw_output")
  else
    local gone=${outputs[$((RANDOM % ${#outputs[@]}))]}
    qw_unplug "$gone"
    changes+=("-$gone")
    # Now and then the last ones go too, leaving the saver without outputs for a moment.
    if [ $((RANDOM % 4)) = 0 ]; then
      for gone in $(qw_outputs); do qw_unplug "$gone"; changes+=("-$gone"); done
      random_pause
    fi
  fi
}

# Waits (up to 20 s) until one of the outputs shows the window's flock.
wait_any_drawn() {
  local i output
  for i in $(seq 1 40); do
    for output in $(qw_outputs); do
      qw_shot "$output" "$qw_tmp/shot.png"
      [ "$(qw_lit_count "$qw_tmp/shot.png")" -lt 200 ] || return 0
    done
    sleep 0.5
  done
  qw_fail "-window: the window's flock is on no output"
}

# The glow textures are made anew at each new size: the saver with its halo, the others without
# (to spare the processor).
for mode in -fullscreen -background -window; do
  changes=()
  glow=0
  [ "$mode" != -fullscreen ] || glow=1
  qw_start_saver "$mode" -glow "$glow"
  random_pause
  for i in $(seq 1 "$count"); do
    change
    random_pause
    kill -0 "$qw_saver" 2>/dev/null ||
      qw_fail "$mode: the saver ended after ${changes[*]}: $(head -c 500 "$qw_tmp/saver.err")"
  done
  [ -n "$(qw_outputs)" ] || { qw_plug; changes+=("+$qw_output"); }
  qw_log "$mode: ${changes[*]}"
  if [ "$mode" = -window ]; then
    wait_any_drawn
  else
    for output in $(qw_outputs); do qw_wait_drawn "$output" "$QW_ARTIFACTS/${mode#-}-$output.png"; done
  fi
  kill -TERM "$qw_saver"
  qw_expect_end "$mode after $count changes of outputs" 5
  [ ! -s "$qw_tmp/saver.err" ] || qw_fail "$mode: the saver printed: $(head -c 500 "$qw_tmp/saver.err")"
done

# The compositor goes away under the saver.
qw_start_saver -fullscreen -glow 1
qw_wait_drawn "$(qw_outputs | cut -d' ' -f1)" "$qw_tmp/shot.png"
kill "${qw_compositor_pids[-1]}"
qw_expect_end "the compositor gone" 5
