#!/usr/bin/env bash
# KDE Plasma's compositor, KWin on its virtual backend with two outputs (layer-shell, server-side
# decorations, no wlroots input protocols), keys through its fake-input protocol and screenshots
# through its D-Bus ScreenShot2: -background draws under everything until SIGTERM; -window has
# the compositor's decorations (Breeze's title bar in a screenshot) and closes when its close
# button is clicked; -fullscreen covers both outputs, draws, and ends with 0 on a key,
# and again when the session is locked. Every buffer has 8 bits a channel or more.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/desktop_lib.sh"
: "${QW_FAKE_INPUT:?the fake-input helper}"

qw_start_session_bus
# Debian's kwin_wayland carries file capabilities, with which it does not start in a container; a
# plain copy has none.
cp /usr/bin/kwin_wayland "$qw_tmp/kwin_wayland"
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 nice -n 5 \
  "$qw_tmp/kwin_wayland" --virtual --width 1024 --height 768 --output-count 2 \
  --socket wayland-kde --no-global-shortcuts --no-kactivities >"$qw_tmp/kwin.log" 2>&1 &
qw_compositor_pids+=($!)
qw_wait_socket wayland-kde "$qw_tmp/kwin.log"
qw_desktop_shot() {
  timeout 60 /usr/bin/python3 "$(dirname "$0")/kwin_shot.py" "$qw_tmp/shot.ppm" ||
    qw_fail "no screenshot of KWin's workspace"
  convert "$qw_tmp/shot.ppm" "$1"
}
# qw_wait_both_lit <png>: until both outputs (side by side) show the flock.
qw_wait_both_lit() {
  local i left=0 right=0
  for i in $(seq 1 40); do
    kill -0 "$qw_saver" 2>/dev/null || qw_fail "the saver ended: $(grep quellwire: "$qw_tmp/saver.err" | head -3)"
    qw_desktop_shot "$1"
    convert "$1" -crop 1024x768+0+0 +repage "$qw_tmp/left.png"
    convert "$1" -crop 1024x768+1024+0 +repage "$qw_tmp/right.png"
    left=$(qw_lit_count "$qw_tmp/left.png")
    right=$(qw_lit_count "$qw_tmp/right.png")
    [ "$left" -ge 300 ] && [ "$right" -ge 300 ] && return
    sleep 0.5
  done
  qw_fail "not drawn on both outputs ($left and $right lit pixels)"
}
layer_surfaces() { grep -cE -- '-> zwlr_layer_shell_v1@[0-9]+\.get_layer_surface' "$qw_tmp/saver.err" || true; }

# -background: a layer surface on each output, drawn, until SIGTERM.
qw_start_saver_logged -background -color emerald
qw_wait_both_lit "$QW_ARTIFACTS/kwin-background.png"
[ "$(layer_surfaces)" = 2 ] || qw_fail "-background: $(layer_surfaces) layer surfaces for 2 outputs"
qw_expect_true_colour "background"
kill -TERM "$qw_saver"
qw_expect_end "background, SIGTERM" 20

# -window: the compositor's decorations, asked for and granted (mode 2, server-side).
qw_start_saver_logged -window -color emerald
qw_wait_buffers "window" 960x540
qw_poll 30 grep -qE 'zxdg_toplevel_decoration_v1@[0-9]+\.configure\(2\)' "$qw_tmp/saver.err" ||
  qw_fail "-window: the compositor's decorations were not granted"
qw_expect_true_colour "window"
qw_wait_lit "$QW_ARTIFACTS/kwin-window.png"
qw_title_bar "$QW_ARTIFACTS/kwin-window.png"
qw_log "window: title bar's right end at $bar_x,$bar_y"
"$QW_FAKE_INPUT" at $((bar_x - 15)) "$bar_y" click || qw_fail "the fake input failed"
qw_expect_end "window, decorated by KWin, its close button" 20

# -fullscreen: the overlay on both outputs, drawn; a key ends it. Its keyboard is taken when the
# seat tells of it: keys are sent until the saver ends.
qw_start_saver_logged -fullscreen
qw_wait_both_lit "$QW_ARTIFACTS/kwin-fullscreen.png"
qw_expect_true_colour "fullscreen"
press() { "$QW_FAKE_INPUT" key 45 && ! kill -0 "$qw_saver" 2>/dev/null; }
qw_poll 20 press || qw_fail "fullscreen: a key did not end the saver"
qw_expect_end "fullscreen, a key" 10

# The session locked: the locker takes the focus, which ends the saver.
qw_start_saver_logged -fullscreen
qw_wait_both_lit "$QW_ARTIFACTS/kwin-fullscreen-2.png"
gdbus call --session --dest org.freedesktop.ScreenSaver --object-path /ScreenSaver \
  --method org.freedesktop.ScreenSaver.Lock >/dev/null || qw_fail "the session could not be locked"
qw_expect_end "fullscreen, the session locked" 30
