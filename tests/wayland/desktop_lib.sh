# Sourced by the tests on the desktops' own compositors (desktop_mutter.sh, desktop_kwin.sh)
# after lib.sh: a private session bus, the checks of the saver's buffers and decorations from its
# protocol log (WAYLAND_DEBUG=client in saver.err), and a driver for input and screenshots.

# The desktop runs as root in a runtime folder of its own (lib.sh's belongs to sway's user).
export XDG_RUNTIME_DIR="$qw_tmp/desktop"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export HOME="$qw_tmp/home"
mkdir -p "$HOME"

# qw_start_session_bus: a session bus for the desktop, the saver and the test.
qw_start_session_bus() {
  dbus-daemon --session --nofork --address="unix:path=$qw_tmp/bus" >"$qw_tmp/dbus.log" 2>&1 &
  qw_compositor_pids+=($!)
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$qw_tmp/bus"
  qw_poll 20 test -S "$qw_tmp/bus" || qw_fail "no session bus"
}

# qw_wait_socket <name> <log>: waits (60 s) for the compositor's Wayland socket, and for it to
# answer a client.
qw_wait_socket() {
  qw_poll 60 test -S "$XDG_RUNTIME_DIR/$1" || qw_fail "the compositor did not start: $(tail -5 "$2")"
  qw_poll 60 env WAYLAND_DISPLAY="$1" wayland-info >/dev/null 2>&1 ||
    qw_fail "the compositor does not answer: $(tail -5 "$2")"
  export WAYLAND_DISPLAY=$1
}

# qw_buffer_formats: the formats of every buffer the saver made (EGL's shm buffers, libdecor's).
qw_buffer_formats() {
  grep -oE 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, [0-9]+, [0-9]+, [0-9]+, [0-9]+\)' \
    "$qw_tmp/saver.err" | sed -E 's/.*, ([0-9]+)\)$/\1/' | sort -u | tr '\n' ' '
}

# qw_expect_true_colour <what>: the saver made buffers, each with 8 bits a channel or more:
# wl_shm's ARGB8888 and XRGB8888 (0, 1) or the fourcc codes XR24, AR24, XB24, AB24, XR30, AR30.
qw_expect_true_colour() {
  local formats format
  formats=$(qw_buffer_formats)
  [ -n "$formats" ] || qw_fail "$1: the saver made no buffer"
  for format in $formats; do
    case $format in
      0 | 1 | 875713112 | 875713089 | 875709016 | 875708993 | 808669784 | 808669761) ;;
      *) qw_fail "$1: a buffer of format $format (not 8 bits a channel; RGB565 is 909199186)" ;;
    esac
  done
  qw_log "$1: buffer formats $formats"
}

# qw_buffer_sizes: "<width>x<height>" of every buffer the saver made.
qw_buffer_sizes() {
  grep -oE 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, [0-9]+, [0-9]+' "$qw_tmp/saver.err" |
    sed -E 's/.*, ([0-9]+), ([0-9]+)$/\1x\2/' | sort -u | tr '\n' ' '
}
qw_made_buffer() { [[ " $(qw_buffer_sizes) " == *" $1 "* ]]; }

# qw_wait_buffers <what> <size>...: waits (60 s) until the saver has made a buffer of each size.
qw_wait_buffers() {
  local what=$1 size
  shift
  for size in "$@"; do
    qw_poll 60 qw_made_buffer "$size" ||
      qw_fail "$what: no $size buffer (made: $(qw_buffer_sizes)) $(grep quellwire: "$qw_tmp/saver.err" | head -3)"
  done
}

# qw_driver <command...>: one command to the input and screenshot driver (qw_start_driver), which
# must answer ok.
qw_driver() {
  local answer
  echo "$*" >&"${qw_driver_in}"
  read -r -t 90 answer <&"${qw_driver_out}" || qw_fail "the driver did not answer '$*'"
  [[ "$answer" == ok* ]] || qw_fail "the driver, on '$*': $answer"
}

# qw_start_driver <program...>: starts the driver, which says "ok ready" once it can serve.
qw_start_driver() {
  coproc QW_DRIVER { "$@" 2>"$qw_tmp/driver.err"; }
  qw_compositor_pids+=("$QW_DRIVER_PID")
  qw_driver_in=${QW_DRIVER[1]}
  qw_driver_out=${QW_DRIVER[0]}
  local answer
  read -r -t 120 answer <&"${qw_driver_out}" || qw_fail "the driver did not start: $(tail -3 "$qw_tmp/driver.err")"
  [ "$answer" = "ok ready" ] || qw_fail "the driver: $answer $(tail -3 "$qw_tmp/driver.err")"
}

# qw_start_saver_logged [args...]: the saver with its protocol log in saver.err.
qw_start_saver_logged() { WAYLAND_DEBUG=client qw_start_saver "$@"; }

# qw_wait_lit <png>: waits (40 s) until a screenshot (qw_desktop_shot, the script's own) has 300
# pixels lit in Emerald's hue (the saver runs with -color emerald: a desktop's wallpaper is lit
# too); the saver must run meanwhile.
qw_wait_lit() {
  local i lit=0
  for i in $(seq 1 40); do
    kill -0 "$qw_saver" 2>/dev/null || qw_fail "the saver ended: $(grep quellwire: "$qw_tmp/saver.err" | head -3)"
    qw_desktop_shot "$1"
    lit=$(qw_lit_pixels "$1" 0.45 1.0 0.25)
    [ "$lit" -ge 300 ] && return
    sleep 0.5
  done
  qw_fail "nothing drawn (last screenshot $1: $lit pixels in the saver's colour)"
}

# qw_title_bar <png>: waits (40 s) until a screenshot shows the 960-pixel window's title bar (the
# compositor's animations over); its right end and middle row in $bar_x and $bar_y.
qw_title_bar() {
  local i
  for i in $(seq 1 40); do
    qw_desktop_shot "$1"
    read -r bar_x bar_y <<<"$(python3 "$(dirname "$0")/title_bar.py" "$1" 960)" && return
    sleep 0.5
  done
  qw_fail "-window: no title bar in the screenshots ($1)"
}
