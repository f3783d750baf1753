# Sourced by every Wayland saver test: a private headless compositor (sway, or sway nested in
# sway so that outputs can be unplugged, or weston), removed when the test ends whatever happens,
# a private settings folder, and helpers to start quellwire, look at each output and send input.
# A test passes by exiting 0; qw_fail ends it with a message.
#
# sway refuses to run as root: as root the compositors run as `nobody`, in a runtime folder
# (XDG_RUNTIME_DIR, 0700) of that user's; the saver and the tools run as root and reach the
# sockets there. Everything runs at low priority with one llvmpipe thread.
set -euo pipefail

: "${QW_QUELLWIRE:?the quellwire program}"
QW_TEST_NAME="${QW_TEST_NAME:-$(basename "$0" .sh)}"
QW_ARTIFACTS="${QW_WAYLAND_ARTIFACTS:-/tmp/quellwire-wayland-artifacts}/$QW_TEST_NAME"

qw_tmp=$(mktemp -d "/tmp/qw-wl-$QW_TEST_NAME.XXXXXX")
chmod 711 "$qw_tmp"
qw_saver_pids=()
qw_compositor_pids=()
export XDG_CONFIG_HOME="$qw_tmp/config"
export XDG_RUNTIME_DIR="$qw_tmp/run"
export LP_NUM_THREADS=1
unset XSCREENSAVER_WINDOW DISPLAY WAYLAND_DISPLAY SWAYSOCK WAYLAND_DEBUG

# qw_stop <pid>...: ends the processes with SIGTERM, and with SIGKILL those still there 5 s later
# (a client stuck waiting for a compositor that no longer answers, say).
qw_stop() {
  local pid i
  kill "$@" >/dev/null 2>&1 || true
  for pid in "$@"; do
    for i in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
  done
}

qw_cleanup() {
  local status=$? i
  # The clients first, then the compositors (innermost first).
  [ "${#qw_saver_pids[@]}" = 0 ] || qw_stop "${qw_saver_pids[@]}"
  for ((i = ${#qw_compositor_pids[@]} - 1; i >= 0; i--)); do qw_stop "${qw_compositor_pids[$i]}"; done
  rm -rf "$qw_tmp"
  exit "$status"
}
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/saver_checks.sh"

mkdir -p "$QW_ARTIFACTS" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
if [ "$(id -u)" -eq 0 ]; then
  chown nobody: "$XDG_RUNTIME_DIR"
  qw_as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
else
  qw_as_user=()
fi
printf 'swaybg_command -\nswaynag_command -\ndefault_border none\n' >"$qw_tmp/sway.conf"
chmod 644 "$qw_tmp/sway.conf"

# qw_new_socket <before>: waits for a Wayland socket in the runtime folder that was not among
# <before> (a list of names) and prints its name.
qw_new_socket() {
  local i name
  for i in $(seq 1 200); do
    for name in $(cd "$XDG_RUNTIME_DIR" && ls -1 | grep -E '^wayland-[0-9]+$' || true); do
      [[ " $1 " == *" $name "* ]] || { echo "$name"; return; }
    done
    sleep 0.05
  done
  return 1
}

qw_sockets() { (cd "$XDG_RUNTIME_DIR" && ls -1 | grep -E '^wayland-[0-9]+$' | tr '\n' ' ') || true; }

# qw_run_sway <backend> <outputs> [NAME=value...]: starts sway as the compositor user on the
# given wlroots backend with that many outputs; sets $qw_socket and $qw_ipc (its IPC socket).
qw_run_sway() {
  local backend=$1 outputs=$2 before i
  shift 2
  before=$(qw_sockets)
  # env and setpriv replace themselves by the next program: $! is sway's pid.
  "${qw_as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$qw_tmp" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WLR_BACKENDS="$backend" WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_HEADLESS_OUTPUTS="$outputs" WLR_WL_OUTPUTS="$outputs" "$@" \
    sway -c "$qw_tmp/sway.conf" >>"$qw_tmp/sway.log" 2>&1 &
  local pid=$!
  qw_compositor_pids+=("$pid")
  qw_socket=$(qw_new_socket "$before") || qw_fail "sway did not start: $(tail -5 "$qw_tmp/sway.log")"
  qw_ipc=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*."$pid".sock 2>/dev/null || true)
  for i in $(seq 1 100); do
    [ -n "$qw_ipc" ] && SWAYSOCK=$qw_ipc swaymsg -t get_version >/dev/null 2>&1 && return
    sleep 0.05
    qw_ipc=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*."$pid".sock 2>/dev/null || true)
  done
  qw_fail "sway's IPC socket did not appear"
}

# qw_start_sway [<width>x<height>[@<scale>]...]: a headless sway whose outputs HEADLESS-1, -2,
# ... have these sizes and scales, side by side from the left (default: 800x600 and 1024x768 at
# scale 2). The saver and the tools find it through WAYLAND_DISPLAY and SWAYSOCK.
qw_start_sway() {
  local layouts=("$@") x=0 i layout size scale
  [ "${#layouts[@]}" -gt 0 ] || layouts=(800x600 1024x768@2)
  qw_run_sway headless "${#layouts[@]}"
  export WAYLAND_DISPLAY=$qw_socket SWAYSOCK=$qw_ipc
  for i in "${!layouts[@]}"; do
    layout=${layouts[$i]}
    size=${layout%@*}
    scale=1
    [[ "$layout" != *@* ]] || scale=${layout#*@}
    swaymsg output "HEADLESS-$((i + 1))" resolution "$size" position "$x" 0 scale "$scale" \
      >/dev/null
    x=$((x + ${size%x*} / scale))
  done
}

# qw_start_nested_sway <outputs>: sway on sway's Wayland backend, so that its outputs can be
# unplugged (its outputs are windows of the outer, headless sway: qw_unplug closes one). The
# saver and the tools find the inner one; the outer's IPC socket is in $qw_outer_ipc.
qw_start_nested_sway() {
  qw_run_sway headless 1
  qw_outer_ipc=$qw_ipc
  SWAYSOCK=$qw_outer_ipc swaymsg output HEADLESS-1 resolution 1200x800 >/dev/null
  qw_run_sway wayland "$1" WAYLAND_DISPLAY="$qw_socket"
  export WAYLAND_DISPLAY=$qw_socket SWAYSOCK=$qw_ipc
}

# On a busy machine sway may take longer than swaymsg waits for an answer (3 s), though it
# carries out the command. So a change is asked for once, and then looked for (up to 20 s).

# qw_sway_answers: true when the (inner) sway answers within five tries of swaymsg's 3 s (a sway
# that has stopped leaves swaymsg waiting to connect, for good, once its queue is full).
qw_sway_answers() {
  local i
  for i in 1 2 3 4 5; do
    timeout 5 swaymsg -t get_version >/dev/null 2>&1 && return
    sleep 1
  done
  return 1
}

# qw_sway_stopped <after what>: the nested sway itself no longer answers: now and then, after an
# output comes or goes, sway 1.7's nested backend blocks for good reading from the outer sway,
# which sits idle (in wl_display_dispatch_queue under wl_event_loop_dispatch). Nothing can
# be judged of the saver on a compositor that has stopped: sway's stacks go to the artifacts and
# the test is skipped (77), unless the saver has ended meanwhile, which fails it. (Called in a
# command substitution, the 77 ends the test through errexit.)
qw_sway_stopped() {
  kill -0 "$qw_saver" 2>/dev/null ||
    qw_fail "the saver ended, and sway stopped answering, after $1: $(head -c 500 "$qw_tmp/saver.err")"
  timeout 60 gdb -batch -p "${qw_compositor_pids[-1]}" -ex 'thread apply all bt' \
    >"$QW_ARTIFACTS/sway-stacks.txt" 2>&1 || true
  qw_log "skipped: sway stopped answering after $1 (its stacks: $QW_ARTIFACTS/sway-stacks.txt)" >&2
  exit 77
}

# qw_unplug <output>: the nested sway's output goes away (its window is closed).
qw_unplug() {
  SWAYSOCK=$qw_outer_ipc timeout 5 swaymsg "[title=\"wlroots - $1\$\"] kill" >/dev/null 2>&1 || true
  qw_sway_answers || qw_sway_stopped "output $1 was unplugged"
  qw_poll 20 qw_output_gone "$1" || qw_fail "output $1 is still there"
}
qw_output_gone() { [[ " $(qw_outputs) " != *" $1 "* ]]; }

# qw_plug: a new output; its name in $qw_output.
qw_plug() {
  local before
  before=$(qw_outputs)
  timeout 5 swaymsg create_output >/dev/null 2>&1 || qw_sway_answers || qw_sway_stopped "an output was plugged"
  qw_poll 20 qw_output_added "$before" || qw_fail "no new output appeared"
}
# qw_output_added <outputs before>: true once there is an output more; its name in $qw_output.
qw_output_added() {
  qw_output=$(comm -13 <(tr ' ' '\n' <<<"$1" | sort) <(qw_outputs | tr ' ' '\n' | sort) |
                grep . | head -1) || true
  [ -n "$qw_output" ]
}

# The compositor's active outputs, by name (asked again while sway is too busy to answer).
qw_outputs() {
  local json i
  for i in 1 2 3; do
    json=$(timeout 5 swaymsg -t get_outputs -r 2>/dev/null) && break
  done
  [ -n "$json" ] || qw_sway_stopped "the last change of outputs"
  python3 -c 'import json, sys; print(" ".join(o["name"] for o in json.load(sys.stdin) if o["active"]))' \
    <<<"$json"
}

# qw_start_weston: a headless weston 10 (one 1024x768 output; no layer-shell, no seat), with its
# GL renderer (on llvmpipe): its screenshots show an XRGB buffer as the screen does, where the
# pixman renderer's would take the unused byte of its pixels for their alpha.
qw_start_weston() {
  local before
  before=$(qw_sockets)
  "${qw_as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$qw_tmp" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    weston --backend=headless-backend.so --use-gl --width=1024 --height=768 --idle-time=0 \
    --debug >>"$qw_tmp/weston.log" 2>&1 &
  qw_compositor_pids+=("$!")
  qw_socket=$(qw_new_socket "$before") || qw_fail "weston did not start: $(tail -5 "$qw_tmp/weston.log")"
  export WAYLAND_DISPLAY=$qw_socket
}

# qw_start_saver [args...]: starts quellwire in the background; its pid in $qw_saver, its
# output in $qw_tmp/saver.out and saver.err.
qw_start_saver() {
  nice -n 10 "$QW_QUELLWIRE" "$@" >"$qw_tmp/saver.out" 2>"$qw_tmp/saver.err" &
  qw_saver=$!
  qw_saver_pids+=("$qw_saver")
}

# qw_pointer <actions...>: the virtual-pointer helper's actions (move dx dy, click, wheel,
# pause ms), at once.
qw_pointer() {
  "${QW_VIRTUAL_POINTER:?the virtual-pointer helper}" "$@" || qw_fail "the virtual pointer failed ($*)"
}

# qw_saver_pointers: how many pointers the saver has taken so far (its protocol log, saver.err,
# when it runs with WAYLAND_DEBUG=client).
qw_saver_pointers() { grep -cE -- '-> wl_seat@[0-9]+\.get_pointer\(' "$qw_tmp/saver.err" || true; }

# qw_wait_pointer_taken <n> [seconds]: waits until the saver has taken its <n>th pointer and the
# compositor has since answered it: a frame callback asked for after it is done, so the
# compositor has read the request for the pointer too.
qw_wait_pointer_taken() {
  qw_poll "${2:-20}" qw_pointer_taken "$1" ||
    qw_fail "the saver took no pointer for the new device (pointer $1)"
}
qw_pointer_taken() {
  awk -v n="$1" '
    /-> wl_seat@[0-9]+\.get_pointer\(/ { if (++seen == n) taken = 1; next }
    taken && callback == "" && match($0, /-> wl_surface@[0-9]+\.frame\(new id wl_callback@[0-9]+/) {
      callback = substr($0, RSTART, RLENGTH); sub(/.*@/, "", callback); next
    }
    callback != "" && $0 !~ /->/ && index($0, "wl_callback@" callback ".done(") { found = 1; exit }
    END { exit !found }' "$qw_tmp/saver.err"
}

# qw_saver_pointer <actions...>: the actions, once the saver (run with WAYLAND_DEBUG=client) has
# taken a pointer for the helper's device, as a client that was there all along would have.
qw_saver_pointer() {
  local go="$qw_tmp/pointer-go" taken helper
  rm -f "$go"
  taken=$(($(qw_saver_pointers) + 1))
  "${QW_VIRTUAL_POINTER:?the virtual-pointer helper}" await "$go" "$@" &
  helper=$!
  qw_saver_pids+=("$helper")
  qw_wait_pointer_taken "$taken"
  touch "$go"
  wait "$helper" || qw_fail "the virtual pointer failed ($*)"
}

# qw_keys <seconds>: in the background, a virtual keyboard (wtype) that presses x every half
# second for that long; sets qw_keys_pid. A client takes a keyboard for the new device first, as
# it has for a real one that is there all along, and the first press after that reaches it.
qw_keys() {
  local presses=() i
  for i in $(seq 1 $(($1 * 2))); do presses+=(-s 500 x); done
  wtype "${presses[@]}" &
  qw_keys_pid=$!
  qw_saver_pids+=("$qw_keys_pid")
}

# qw_shot <output> <file>: a screenshot of one output at its full pixel size.
qw_shot() { timeout 20 grim -o "$1" "$2" || qw_fail "no screenshot of $1"; }

# qw_picture <png> <r> <g> <b>: "<width> <height> <lit> <of the colour> <centre x %> <centre y %>
# <quadrants>": the pixels lit (brightest channel at least 64), those of them close to the
# colour's hue (as qw_lit_pixels), where their centre lies as a share of the width and height,
# and how many of the picture's four quadrants hold at least 5 % of them.
qw_picture() {
  local size
  size=$(identify -format '%w %h' "$1")
  convert "$1" -depth 8 rgb:- | python3 -c '
import sys
w, h = int(sys.argv[1]), int(sys.argv[2])
r, g, b = (float(v) for v in sys.argv[3:6])
top = max(r, g, b)
want = (r / top, g / top, b / top)
data = sys.stdin.buffer.read()
lit = hue = sx = sy = 0
quadrant = [0, 0, 0, 0]
for i in range(w * h):
    p = data[3 * i:3 * i + 3]
    m = max(p)
    if m < 64:
        continue
    x, y = i % w, i // w
    lit += 1
    sx += x
    sy += y
    quadrant[(x >= w // 2) + 2 * (y >= h // 2)] += 1
    hue += all(abs(p[k] / m - want[k]) <= 0.2 for k in range(3))
lit1 = max(lit, 1)
print(w, h, lit, hue, 100 * sx // lit1 // w, 100 * sy // lit1 // h,
      sum(q * 20 >= lit and lit > 0 for q in quadrant))' $size "$2" "$3" "$4"
}

# qw_lit_count <png>: how many pixels are lit (brightest channel at least 64).
qw_lit_count() {
  convert "$1" -channel RGB -separate -evaluate-sequence max -threshold 24.9% \
    -format '%[fx:round(mean*w*h)]' info:
}

# qw_wait_drawn <output> <png> [lit]: waits (up to 20 s) until a screenshot of the output has
# at least that many lit pixels (default 200); the last screenshot is left in <png>.
qw_wait_drawn() {
  local i lit
  for i in $(seq 1 40); do
    qw_shot "$1" "$2"
    lit=$(qw_lit_count "$2")
    [ "$lit" -ge "${3:-200}" ] && return
    kill -0 "$qw_saver" 2>/dev/null || qw_fail "the saver ended before drawing on $1: $(head -c 500 "$qw_tmp/saver.err")"
    sleep 0.5
  done
  qw_fail "nothing drawn on $1 (last screenshot: $lit lit pixels)"
}
