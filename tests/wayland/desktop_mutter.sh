#!/usr/bin/env bash
# GNOME's compositor, a headless Mutter with two virtual monitors (no layer-shell, no server-side
# decorations), driven through its remote-desktop API: -fullscreen covers both monitors with
# true-colour buffers, draws, and ends with 0 on a key and when another window takes the focus;
# -background is refused with 1 and says why; -window is decorated by libdecor (a title bar in
# subsurfaces) and closes when its close button is clicked; quellwire-idle starts the saver once
# the session has been idle, the saver ends on a key, and comes back after the next idle period.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/desktop_lib.sh"
: "${QW_IDLE:?the quellwire-idle program}"

qw_start_session_bus
pipewire >"$qw_tmp/pipewire.log" 2>&1 &
qw_compositor_pids+=($!)
wireplumber >"$qw_tmp/wireplumber.log" 2>&1 &
qw_compositor_pids+=($!)
nice -n 5 mutter --headless --wayland --no-x11 --virtual-monitor 1024x768 \
  --virtual-monitor 800x600 --wayland-display wayland-gnome >"$qw_tmp/mutter.log" 2>&1 &
qw_compositor_pids+=($!)
qw_wait_socket wayland-gnome "$qw_tmp/mutter.log"
qw_start_driver /usr/bin/python3 "$(dirname "$0")/mutter_driver.py"
qw_desktop_shot() { qw_driver shot "$1"; }
key_x=45

# -fullscreen: a window on each monitor at its size, drawn, in true colour; a key ends it.
qw_start_saver_logged -fullscreen -color emerald
qw_wait_buffers "fullscreen" 1024x768 800x600
qw_wait_lit "$QW_ARTIFACTS/mutter-fullscreen.png"
qw_expect_true_colour "fullscreen"
qw_driver key $key_x
qw_expect_end "fullscreen, a key" 20

# Another window taking the focus ends it.
qw_start_saver_logged -fullscreen
qw_wait_buffers "fullscreen again" 1024x768 800x600
# Once it has the keyboard: a window mapped before the saver's would only be covered by them.
qw_poll 30 grep -qE 'wl_keyboard@[0-9]+\.enter\(' "$qw_tmp/saver.err" ||
  qw_fail "fullscreen again: the saver never had the keyboard"
saver=$qw_saver
nice -n 10 "$QW_QUELLWIRE" -window >"$qw_tmp/other.out" 2>&1 &
other=$!
qw_saver_pids+=("$other")
qw_saver=$saver
qw_expect_end "fullscreen, another window mapped" 30
qw_stop "$other"

# -background cannot be had without layer-shell.
qw_start_saver -background
qw_wait_end "$qw_saver" 20
[ "$qw_status" = 1 ] && grep -q "layer-shell" "$qw_tmp/saver.err" ||
  qw_fail "-background: expected 1 and a word on layer-shell, got $qw_status: $(head -c 300 "$qw_tmp/saver.err")"
qw_log "-background: refused: $(head -1 "$qw_tmp/saver.err")"

# -window: libdecor's title bar (a subsurface of the window's width) over the picture, true
# colour; the close button (the title bar's right end) ends it with 0.
qw_start_saver_logged -window -color emerald
qw_wait_buffers "window" 960x540
qw_poll 30 grep -qE -- '-> wl_subcompositor@[0-9]+\.get_subsurface' "$qw_tmp/saver.err" ||
  qw_fail "-window: no decorations (no subsurface)"
qw_wait_lit "$QW_ARTIFACTS/mutter-window.png"
qw_expect_true_colour "window"
qw_title_bar "$QW_ARTIFACTS/mutter-window.png"
qw_log "window: title bar's right end at $bar_x,$bar_y"
qw_driver at $((bar_x - 15)) "$bar_y"
qw_driver click
qw_expect_end "window, its close button" 20

# quellwire-idle: the saver after 3 s idle, ended by a key, and again after the next 3 s.
nice -n 10 "$QW_IDLE" -timeout 3 -color emerald >"$qw_tmp/idle.out" 2>"$qw_tmp/idle.err" &
idle=$!
qw_saver_pids+=("$idle")
idle_saver() { qw_saver=$(pgrep -P "$idle" -x quellwire) && [ -n "$qw_saver" ]; }
for round in 1 2; do
  qw_poll 60 idle_saver || qw_fail "idle $round: no saver ($(cat "$qw_tmp/idle.err"))"
  qw_wait_lit "$QW_ARTIFACTS/mutter-idle-$round.png"
  qw_driver key $key_x
  qw_poll 20 eval '! kill -0 "$qw_saver" 2>/dev/null' || qw_fail "idle $round: the saver went on after a key"
  kill -0 "$idle" || qw_fail "quellwire-idle ended: $(cat "$qw_tmp/idle.err")"
  qw_log "idle $round: the saver came after the idle time and went on a key"
done
kill -TERM "$idle"
qw_wait_end "$idle" 20
[ "$qw_status" = 0 ] || qw_fail "quellwire-idle, SIGTERM: ended with $qw_status"
