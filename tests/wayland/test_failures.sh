#!/usr/bin/env bash
# When a call the saver depends on fails (made to fail by a library loaded in front of the real
# ones), on a headless sway: where EGL makes no OpenGL context or no window surface, shows no
# frame for 5 s, the start-up roundtrips fail or the flock cannot be made, the saver ends
# at once with 1 and says why, rather than run on unseen. A few failed swaps, an EGL that tells
# no client extensions (the display then taken with eglGetDisplay), flushes that meet EAGAIN, no
# signalfd and no desktop OpenGL context (OpenGL ES taken instead) leave it drawing on both
# outputs, and SIGTERM still ends it with 0.
source "$(dirname "$0")/lib.sh"
qw_start_sway 800x600 1024x768@2

# failing <call> <args...>: the saver started with that call failing (see failing_calls.cpp).
failing() {
  local call=$1
  shift
  nice -n 10 env QW_FAIL="$call" LD_PRELOAD="${QW_FAILING_CALLS:?the failing-calls library}" \
    "$QW_QUELLWIRE" "$@" >"$qw_tmp/saver.out" 2>"$qw_tmp/saver.err" &
  qw_saver=$!
  qw_saver_pids+=("$qw_saver")
}

for case in "context:an OpenGL context" "surface:a window surface" "swap:frames in a row" \
  "roundtrip:failed as the saver started" "scene:no memory for the flock"; do
  failing "${case%%:*}" -fullscreen
  qw_wait_end "$qw_saver" 20
  [ "$qw_status" = 1 ] && grep -q "${case#*:}" "$qw_tmp/saver.err" ||
    qw_fail "${case%%:*} failing: ended with '$qw_status': $(head -c 300 "$qw_tmp/saver.err")"
  qw_log "${case%%:*} failing: ended with 1: $(tr '\n' ' ' <"$qw_tmp/saver.err")"
done

for call in swap10 platform flush signalfd desktop; do
  failing "$call" -fullscreen -color ruby -glow 0 -wires 100
  qw_wait_drawn HEADLESS-1 "$QW_ARTIFACTS/$call-1.png"
  qw_wait_drawn HEADLESS-2 "$QW_ARTIFACTS/$call-2.png"
  kill -TERM "$qw_saver"
  qw_expect_end "$call failing, drawn on both outputs, SIGTERM" 15
  [ ! -s "$qw_tmp/saver.err" ] || qw_fail "$call failing: the saver printed: $(head -c 300 "$qw_tmp/saver.err")"
done
