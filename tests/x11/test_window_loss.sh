#!/usr/bin/env bash
# The saver's window goes away at a random moment, again and again, in every mode: a window of
# its own destroyed by another program or closed as a window manager closes it, full screen, a
# window given with -window-id whose owner exits, and xscreensaver's window (-root with
# XSCREENSAVER_WINDOW) destroyed outright. The moment falls anywhere from when the saver has
# its window (made, or taken and watched) to 1.5 s of drawing: during creation, between frames
# and in the middle of frames, with high-quality glow and the most wires. (A given window that is
# gone before the saver first looks at it is one that does not exist: test_window_id.) Each time the saver must end with 0 within 5 s, print
# nothing, and leave no window behind.
# QW_LOSS_COUNT sets how many times (default 40, spread over the five ways); scripts/soak runs
# it 500 times. QW_QUELLWIRE may name another build of the program (the sanitizer build).
source "$(dirname "$0")/lib.sh"
qw_start_display

count=${QW_LOSS_COUNT:-40}
ways=(own-destroyed own-closed full-screen given-owner-exits xscreensaver-destroyed)
look=(-glow 2 -wires 100 -color cycle)

# A random delay from 0 to 1.5 s.
random_pause() { sleep "$(printf '0.%03d' $((RANDOM % 1000)))"; [ $((RANDOM % 2)) = 0 ] || sleep 0.5; }

# Waits for the saver's own window and prints its id.
own_window() {
  local i id
  for i in $(seq 1 250); do
    id=$(xdotool search --name '^Quellwire$' 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return; }
    kill -0 "$qw_saver" 2>/dev/null || break
    sleep 0.02
  done
  qw_fail "the saver's window did not appear"
}

for i in $(seq 0 $((count - 1))); do
  way=${ways[$((i % ${#ways[@]}))]}
  case $way in
    own-destroyed)
      qw_start_saver "${look[@]}"
      window=$(own_window); random_pause
      xdotool windowclose "$window" 2>/dev/null || true ;;
    own-closed)
      qw_start_saver "${look[@]}"
      window=$(own_window); random_pause
      "$QW_TEST_WINDOW" --delete "$window" ;;
    full-screen)
      qw_start_saver -fullscreen "${look[@]}"
      window=$(own_window); random_pause
      xdotool windowclose "$window" 2>/dev/null || true ;;
    given-owner-exits)
      qw_start_test_window 640 480
      qw_start_saver -window-id "$qw_window" "${look[@]}"
      qw_wait_watched "$qw_window"; random_pause
      kill "$qw_window_pid"; wait "$qw_window_pid" 2>/dev/null || true ;;
    xscreensaver-destroyed)
      qw_start_test_window 800 600
      XSCREENSAVER_WINDOW="$qw_window" qw_start_saver -root "${look[@]}"
      qw_wait_watched "$qw_window"; random_pause
      xdotool windowclose "$qw_window" 2>/dev/null || true ;;
  esac
  qw_wait_end "$qw_saver" 5
  [ "$qw_status" = 0 ] || qw_fail "$way (run $((i + 1))): expected the saver to end with 0, got '$qw_status': $(head -c 500 "$qw_tmp/saver.err")"
  [ ! -s "$qw_tmp/saver.err" ] || qw_fail "$way (run $((i + 1))): the saver printed: $(head -c 500 "$qw_tmp/saver.err")"
  [ -z "$(xdotool search --name '^Quellwire$' 2>/dev/null)" ] || qw_fail "$way (run $((i + 1))): a saver window was left behind"
  if [ "$way" = given-owner-exits ] || [ "$way" = xscreensaver-destroyed ]; then
    kill "$qw_window_pid" 2>/dev/null || true; wait "$qw_window_pid" 2>/dev/null || true
  fi
done
qw_log "the window went away $count times; the saver ended with 0 every time"
