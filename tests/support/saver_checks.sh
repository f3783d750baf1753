# Sourced by the libraries of the tests that run the quellwire program (tests/x11/lib.sh,
# tests/wayland/lib.sh): watching the saver (its pid in $qw_saver) end or keep running, and
# counting the pixels of a screenshot lit in a colour.

# qw_wait_end <pid> <seconds>: waits for the process to end and sets $qw_status to its exit
# status, or to "running" when it still runs after that long.
qw_wait_end() {
  local pid=$1 tenths=$(($2 * 10)) i
  qw_status=running
  for i in $(seq 1 "$tenths"); do
    if ! kill -0 "$pid" 2>/dev/null; then
      qw_status=0
      wait "$pid" || qw_status=$?
      return
    fi
    sleep 0.1
  done
}

# qw_expect_end <what> <seconds>: the saver must end with 0 within that time.
qw_expect_end() {
  qw_wait_end "$qw_saver" "$2"
  [ "$qw_status" = 0 ] || qw_fail "$1: expected the saver to end with 0, got '$qw_status'"
  qw_log "$1: ended with 0"
}

# qw_expect_running <what> <seconds>: the saver must still run after that time.
qw_expect_running() {
  qw_wait_end "$qw_saver" "$2"
  [ "$qw_status" = running ] || qw_fail "$1: expected the saver to keep running, it ended with $qw_status"
  qw_log "$1: still running"
}

# qw_lit_pixels <png> <r> <g> <b>: how many pixels of the picture are lit (brightest channel
# at least 64) with a hue close to the colour's (each channel's share of the brightest within
# 0.2 of the colour's share).
qw_lit_pixels() {
  convert "$1" -depth 8 rgb:- | python3 -c '
import sys
r, g, b = (float(v) for v in sys.argv[1:4])
top = max(r, g, b)
want = (r / top, g / top, b / top)
data = sys.stdin.buffer.read()
count = 0
for i in range(0, len(data) - 2, 3):
    m = max(data[i], data[i + 1], data[i + 2])
    if m >= 64 and all(abs(data[i + k] / m - want[k]) <= 0.2 for k in range(3)):
        count += 1
print(count)' "$2" "$3" "$4"
}
