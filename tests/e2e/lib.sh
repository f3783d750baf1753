# Sourced by every end-to-end test. It gives the test a private virtual X display and a fresh
# Wine prefix of its own (a copy of the run's template prefix), both removed when the test ends,
# whatever happens, and a few helpers for running the real saver and the Windows-side test
# programs. A test passes by exiting 0; qw_fail ends it with a message.
set -euo pipefail

: "${QW_WIN_BUILD:?the Windows build folder}" "${QW_E2E_TEMPLATE:?the template Wine prefix}"
# The build's saver, helpers and test doubles are all of one bitness: 64 (x86-64) or 32 (x86).
QW_WIN_BITS="${QW_WIN_BITS:-64}"
QW_SCR="$QW_WIN_BUILD/QuellwireGL.scr"
QW_WINSIDE="$QW_WIN_BUILD/tests/winside"
case "$QW_WIN_BITS" in
  64) QW_OBJDUMP=x86_64-w64-mingw32-objdump ;;
  32) QW_OBJDUMP=i686-w64-mingw32-objdump ;;
  *) echo "QW_WIN_BITS must be 64 or 32, not $QW_WIN_BITS" >&2; exit 1 ;;
esac
QW_TEST_NAME="${QW_TEST_NAME:-$(basename "$0" .sh)}"
QW_ARTIFACTS="${QW_E2E_ARTIFACTS:-/tmp/quellwire-e2e-artifacts}/$QW_TEST_NAME"
QW_SCREEN="${QW_SCREEN:-1024x768x24}"
# Extra arguments for Xvfb, e.g. "-extension GLX" for a display without OpenGL.
QW_XVFB_ARGS="${QW_XVFB_ARGS:-}"

qw_tmp=$(mktemp -d "/tmp/qw-e2e-$QW_TEST_NAME.XXXXXX")
qw_xvfb_pid=""

# Once 32-bit Wine is installed, `wine` (and `wineboot`, `winepath`) start every program through
# Wine's 32-bit loader, which cannot start at all on a machine whose kernel runs no 32-bit
# programs. There the tests find those three commands on PATH as Wine's 64-bit loader, which is
# what the 32-bit one hands 64-bit programs to, and a 32-bit test is skipped (qw_start) unless it
# says that it starts no 32-bit program (QW_WITHOUT_32BIT_PROGRAMS=1, set before lib.sh).
QW_WINE32=/usr/lib/wine/wine
QW_WINE64=/usr/lib/wine/wine64
qw_runs_32bit() { "$QW_WINE32" --version >/dev/null 2>&1; }
if [ -x "$QW_WINE32" ] && [ -x "$QW_WINE64" ] && ! qw_runs_32bit; then
  mkdir "$qw_tmp/bin"
  printf '#!/bin/sh\nexec %s "$@"\n' "$QW_WINE64" >"$qw_tmp/bin/wine"
  for tool in wineboot winepath; do
    printf '#!/bin/sh\nexec %s %s.exe "$@"\n' "$QW_WINE64" "$tool" >"$qw_tmp/bin/$tool"
  done
  chmod +x "$qw_tmp/bin/"*
  PATH="$qw_tmp/bin:$PATH"
fi

qw_cleanup() {
  local status=$?
  # A failed test keeps what Wine and the saver printed beside its screenshots.
  if [ "$status" != 0 ] && [ -s "$qw_tmp/wine.out" ]; then
    mkdir -p "$QW_ARTIFACTS" && cp "$qw_tmp/wine.out" "$QW_ARTIFACTS/wine.out" || true
  fi
  if [ -n "${WINEPREFIX:-}" ] && [ -d "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$qw_xvfb_pid" ]; then
    kill "$qw_xvfb_pid" >/dev/null 2>&1 || true
    wait "$qw_xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$qw_tmp"
  exit "$status"
}
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_common.sh"

# Starts Xvfb on a display number it picks itself, so tests can run side by side.
qw_start_display() {
  local fifo="$qw_tmp/displayfd"
  : >"$fifo"
  # shellcheck disable=SC2086 # the extra arguments are words
  Xvfb -displayfd 3 -screen 0 "$QW_SCREEN" -nolisten tcp -noreset $QW_XVFB_ARGS \
    3>"$fifo" >/dev/null 2>&1 &
  qw_xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$fifo" ]; then break; fi
    sleep 0.05
  done
  [ -s "$fifo" ] || qw_fail "Xvfb did not start"
  export DISPLAY=":$(tr -d '[:space:]' <"$fifo")"
}

# A fresh prefix for this test: hard links to the template's files, with real copies of the
# files Wine rewrites (the registry hives), so nothing a test does reaches the template.
qw_start_prefix() {
  export WINEPREFIX="$qw_tmp/prefix"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  cp -al "$QW_E2E_TEMPLATE" "$WINEPREFIX"
  local f
  for f in "$QW_E2E_TEMPLATE"/*.reg "$QW_E2E_TEMPLATE"/.update-timestamp; do
    [ -e "$f" ] && cp --remove-destination "$f" "$WINEPREFIX/"
  done
}

# Display and prefix together, with the pointer parked at the middle of the screen: under Xvfb
# the pointer has never moved, and some Wine versions report a jumping position until it has.
qw_start() {
  mkdir -p "$QW_ARTIFACTS"
  # Without Wine's 32-bit half a 64-bit prefix cannot start a 32-bit program at all.
  if [ "$QW_WIN_BITS" = 32 ]; then
    [ -x "$QW_WINE32" ] ||
      qw_fail "32-bit Wine is not installed (wine32:i386; scripts/install-deps.sh installs it)"
    qw_runs_32bit || [ "${QW_WITHOUT_32BIT_PROGRAMS:-0}" = 1 ] || {
      qw_log "skipped: this machine runs no 32-bit programs (Wine's 32-bit loader cannot start)"
      exit 77
    }
  fi
  qw_start_display
  qw_start_prefix
  xdotool mousemove 512 384 >/dev/null 2>&1 || true
}

# qw_run <timeout-seconds> <program> [args...]: runs a Windows program to its end and prints
# its exit code as the shell sees it (0 to 255; -1 shows as 255, 124 means it timed out).
qw_run() {
  local limit=$1
  shift
  local status=0
  timeout "$limit" wine "$@" >>"$qw_tmp/wine.out" 2>&1 || status=$?
  echo "$status"
}

# qw_reg <args of Wine's reg command>, e.g. qw_reg add 'HKCU\Software\X' /v V /t REG_DWORD /d 1 /f
qw_reg() {
  wine reg "$@" >>"$qw_tmp/wine.out" 2>&1
}

# qw_screenshot <name>: saves the whole virtual screen as <artifacts>/<name>.png, prints the path.
qw_screenshot() {
  local out="$QW_ARTIFACTS/$1.png"
  import -window root "$out" >/dev/null 2>&1 || qw_fail "screenshot failed"
  echo "$out"
}

# qw_expect_eq <what> <expected> <actual>
qw_expect_eq() {
  [ "$2" = "$3" ] || qw_fail "$1: expected '$2', got '$3'"
}

# --- Saver and helper processes -------------------------------------------------------------

QW_HELPER="$QW_WINSIDE/e2e_helper/e2e_helper.exe"

# qw_winpath <unix path>: the same file as Wine's Z: drive names it.
qw_winpath() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

# qw_helper <command> [args...]: runs the Windows-side helper and prints what it prints.
qw_helper() {
  wine "$QW_HELPER" "$@" 2>>"$qw_tmp/wine.out" | tr -d '\r'
}

# qw_make_parent [width height]: a helper window in the background (320 x 240 unless given), to
# own or hold the saver; sets parent and parent_out (the helper's output file).
qw_parents=0
qw_make_parent() {
  qw_parents=$((qw_parents + 1))
  parent_out="$qw_tmp/parent-$qw_parents.out"
  : >"$parent_out"
  ( wine "$QW_HELPER" parent "${1:-320}" "${2:-240}" 2>>"$qw_tmp/wine.out" |
    sed -u 's/\r$//' >"$parent_out" ) &
  local i
  for i in $(seq 1 200); do
    parent=$(qw_field parent "$(cat "$parent_out")")
    [ -n "$parent" ] && return
    sleep 0.1
  done
  qw_fail "the helper made no parent window"
}

# qw_field <name> <text>: the value of the line "<name>=<value>" in text.
qw_field() {
  printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1
}

# qw_start_saver <args...>: starts the saver in the background with these arguments (bounded to
# 90 s); qw_saver_exit tells how it ended. QW_SCR_WINE, when set, is the Wine loader that starts
# it (for a saver named by its Windows path).
qw_saver_runs=0
qw_start_saver() {
  qw_saver_runs=$((qw_saver_runs + 1))
  qw_saver_rc="$qw_tmp/saver-$qw_saver_runs.rc"
  ( status=0; timeout "${QW_SAVER_LIMIT:-90}" "${QW_SCR_WINE:-wine}" "$QW_SCR" "$@" \
      >>"$qw_tmp/wine.out" 2>&1 \
      || status=$?
    echo "$status" >"$qw_saver_rc.part" && mv "$qw_saver_rc.part" "$qw_saver_rc" ) &
  qw_saver_shell=$!
}

# qw_saver_pid: the process id of the running saver of this test's prefix (the newest, should
# there be several), found by its Wine process's command line and environment, since it need not
# descend from the shell that started it: Wine's 32-bit loader hands a 64-bit program to a new
# process through start.exe, and that process is the saver. Empty when none is running.
qw_saver_pid() {
  local pid found="" newest=""
  for pid in $(pgrep -f 'QuellwireGL\.scr'); do
    tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -n 1 |
      grep -q -i 'QuellwireGL\.scr$' || continue
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -q -x -F "WINEPREFIX=$WINEPREFIX" ||
      continue
    local started
    started=$(ps -o lstart= -p "$pid" 2>/dev/null | xargs -I{} date -d {} +%s) || continue
    if [ -z "$newest" ] || [ "$started" -ge "$newest" ]; then found=$pid newest=$started; fi
  done
  echo "$found"
}

# qw_rss_kib <pid>: the resident memory of a process in KiB.
qw_rss_kib() {
  sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$1/status" 2>/dev/null
}

# qw_saver_exit <seconds>: waits up to that long for the last saver started to end; prints its
# exit code as the shell sees it, or "running".
qw_saver_exit() {
  local i
  for i in $(seq 1 $(($1 * 10))); do
    if [ -f "$qw_saver_rc" ]; then cat "$qw_saver_rc"; return; fi
    sleep 0.1
  done
  if [ -f "$qw_saver_rc" ]; then cat "$qw_saver_rc"; else echo running; fi
}

# qw_expect_running <what> <seconds>: the last saver started is still running after that long.
qw_expect_running() {
  local status
  status=$(qw_saver_exit "$2")
  [ "$status" = running ] || qw_fail "$1: the saver ended (exit code $status)"
}

# qw_bright_share <png>: the share (0 to 1) of the picture's pixels brighter than 10 % grey.
qw_bright_share() {
  convert "$1" -colorspace Gray -threshold 10% -format '%[fx:mean]' info:
}
