# Sourced by every X11 saver test: a private Xvfb display (removed when the test ends, whatever
# happens), a private settings folder, and helpers to start quellwire and watch it end. A test
# passes by exiting 0; qw_fail ends it with a message.
set -euo pipefail

: "${QW_QUELLWIRE:?the quellwire program}" "${QW_TEST_WINDOW:?the test window program}"
QW_TEST_NAME="${QW_TEST_NAME:-$(basename "$0" .sh)}"
QW_ARTIFACTS="${QW_X11_ARTIFACTS:-/tmp/quellwire-x11-artifacts}/$QW_TEST_NAME"
QW_SCREEN="${QW_SCREEN:-1024x768x24}"

qw_tmp=$(mktemp -d "/tmp/qw-x11-$QW_TEST_NAME.XXXXXX")
qw_pids=()
export XDG_CONFIG_HOME="$qw_tmp/config"
unset XSCREENSAVER_WINDOW WAYLAND_DISPLAY

qw_cleanup() {
  local status=$? pid
  for pid in "${qw_pids[@]}"; do kill "$pid" >/dev/null 2>&1 || true; done
  for pid in "${qw_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  ! declare -F qw_after_test >/dev/null || qw_after_test  # a test's own cleaning up
  rm -rf "$qw_tmp"
  exit "$status"
}
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/saver_checks.sh"

# Starts Xvfb on a display number it picks itself, parks the pointer at (500, 400).
qw_start_display() {
  mkdir -p "$QW_ARTIFACTS"
  local fd_file="$qw_tmp/displayfd" i
  : >"$fd_file"
  Xvfb -displayfd 3 -screen 0 "$QW_SCREEN" -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
  qw_pids+=($!)
  for i in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.05
  done
  [ -s "$fd_file" ] || qw_fail "Xvfb did not start"
  export DISPLAY=":$(tr -d '[:space:]' <"$fd_file")"
  xdotool mousemove 500 400
}

# qw_start_saver [args...]: starts quellwire in the background; its pid in $qw_saver, its
# error output in $qw_tmp/saver.err.
qw_start_saver() {
  "$QW_QUELLWIRE" "$@" 2>"$qw_tmp/saver.err" &
  qw_saver=$!
  qw_pids+=("$qw_saver")
}

# Waits until the saver's own window is shown (and has had a moment to take the focus).
qw_wait_saver_window() {
  timeout 10 xdotool search --sync --onlyvisible --name '^Quellwire$' >/dev/null ||
    qw_fail "the saver window did not appear"
  sleep 0.5
}

# qw_start_test_window [width height]: a window made by another program; its id in
# $qw_window, the program's pid in $qw_window_pid.
qw_start_test_window() {
  # A fresh file each time: the program's shell truncates it only once it has started, so an
  # earlier window's id must not be there to be read in the meantime.
  rm -f "$qw_tmp/window.id"
  "$QW_TEST_WINDOW" "$@" >"$qw_tmp/window.id" &
  qw_window_pid=$!
  qw_pids+=("$qw_window_pid")
  local i
  for i in $(seq 1 100); do
    [ -s "$qw_tmp/window.id" ] && break
    sleep 0.05
  done
  qw_window=$(cat "$qw_tmp/window.id")
  [ -n "$qw_window" ] || qw_fail "the test window did not appear"
}

# qw_wait_watched <window>: waits until some program (the saver) watches the test window's
# structure, that is, until the saver has taken the window.
qw_wait_watched() {
  local i
  for i in $(seq 1 500); do
    xwininfo -events -id "$1" 2>/dev/null | grep -q StructureNotify && return
    sleep 0.02
  done
  qw_fail "nobody took the window $1"
}

# qw_lit_layout <png> <old-width> <old-height>: where the picture is lit (brightest channel at
# least 64): "<lit> <lit beyond the old size> <centre x as a share of the width> <centre y as a
# share of the height>", the shares in percent.
qw_lit_layout() {
  local size
  size=$(identify -format '%w %h' "$1")
  convert "$1" -depth 8 rgb:- | python3 -c '
import sys
w, h, ow, oh = (int(v) for v in sys.argv[1:5])
data = sys.stdin.buffer.read()
lit = beyond = sx = sy = 0
for i in range(0, w * h):
    if max(data[3 * i], data[3 * i + 1], data[3 * i + 2]) >= 64:
        x, y = i % w, i // w
        lit += 1
        beyond += x >= ow or y >= oh
        sx += x
        sy += y
print(lit, beyond, 100 * sx // max(lit, 1) // w, 100 * sy // max(lit, 1) // h)' $size "$2" "$3"
}

# qw_wait_ruby_flock <window> <png>: takes screenshots of the window until one holds at least 100
# pixels of Ruby's plain hue, for up to 20 s (the flock takes a few seconds to show, longer on a
# busy machine); the count of the last in $lit, the last screenshot left in <png>.
qw_wait_ruby_flock() {
  lit=0
  qw_poll 20 qw_ruby_flock_shown "$1" "$2" || true
}
qw_ruby_flock_shown() {
  import -window "$1" "$2" && lit=$(qw_lit_pixels "$2" 1.0 0.28 0.28) && [ "$lit" -ge 100 ]
}

# qw_rss_kb <pid>: the process's resident memory in KiB.
qw_rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
