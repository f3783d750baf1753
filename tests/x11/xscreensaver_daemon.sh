#!/usr/bin/env bash
# Debian's xscreensaver daemon runs quellwire: on activation it starts the program on its own
# window, which then shows the flock in the chosen colour; deactivation ends it (SIGTERM) with 0
# and leaves nothing running; a second activation starts it again; and command lines of each
# kind that quellwire.xml produces (a colour, sliders, a glow mode with both check boxes) reach
# the program and are taken without complaint.
#
# The daemon launches no program as root, so as root it runs as `nobody` (with a HOME of its
# own and a copy of the program that user can read). QW_HACK names the program as the
# daemon's settings do (default: that copy, by its path); the package test gives `quellwire`,
# which the daemon finds in its own folder of programs.
source "$(dirname "$0")/lib.sh"
command -v xscreensaver >/dev/null || qw_fail "xscreensaver is not installed (scripts/install-deps.sh)"
QW_SCREEN=800x600x24
qw_start_display

daemon_dir="$qw_tmp/daemon"
home="$daemon_dir/home"
log="$daemon_dir/log"
mkdir -p "$home"
if [ "$(id -u)" -eq 0 ]; then
  user=nobody
  chmod 711 "$qw_tmp"
  chmod 755 "$daemon_dir"
  chown "$user" "$home"
else
  user=$(id -un)
fi
if [ -n "${QW_HACK:-}" ]; then
  hack=$QW_HACK
  expected_exe=$(readlink -f "$QW_QUELLWIRE")
else
  install -m 755 "$QW_QUELLWIRE" "$daemon_dir/quellwire"
  hack="$daemon_dir/quellwire"
  expected_exe=$hack
fi

# as_user <command...>: runs a command as the daemon's user, with nothing of this shell's
# environment but the display (setpriv and env replace themselves by the command, so a command
# started in the background has the pid in $!).
as_user=(env -i "HOME=$home" "DISPLAY=$DISPLAY" "PATH=/usr/local/bin:/usr/bin:/bin")
[ "$user" = "$(id -un)" ] ||
  as_user=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups "${as_user[@]}")
as_user() { "${as_user[@]}" "$@"; }

# The command lines, in the daemon's list: numbered from 1 by -select.
commands=(
  "$hack -root -color ruby"
  "$hack -root -color lapis -glow 0 -wires 80 -length 30 -speed 70"
  "$hack -root -color emerald -glow 1 -symmetry -fps"
)
{
  echo "mode: one"
  echo "selected: 0"
  echo "lock: False"
  echo "timeout: 1:00:00"
  echo "cycle: 0:00:00"
  echo "fade: True"
  # The daemon's graphics process sees a program's end (and logs its status) only while it
  # stays to unfade the screen (which it does only after fading): the program has that long to
  # end. Without unfading the process leaves at once and the status is lost.
  echo "unfade: True"
  echo "fadeSeconds: 0:00:02"
  echo "splash: False"
  echo "dpmsEnabled: False"
  echo "grabDesktopImages: False"
  printf 'programs:'
  for command in "${commands[@]}"; do printf ' \\\n  GL: %s \\n' "$command"; done
  echo
} >"$home/.xscreensaver"
chown "$user" "$home/.xscreensaver"

"${as_user[@]}" xscreensaver -no-splash -verbose >"$log" 2>&1 &
daemon=$!
qw_pids+=("$daemon")

# poll <seconds> <command...>: runs the command every 0.1 s until it succeeds; fails after that
# long.
poll() {
  local tenths=$(($1 * 10)) i
  for i in $(seq 1 "$tenths"); do
    "${@:2}" && return 0
    kill -0 "$daemon" 2>/dev/null || qw_fail "the daemon ended; its log: $(cat "$log")"
    sleep 0.1
  done
  return 1
}
poll 20 as_user xscreensaver-command -version >/dev/null 2>&1 || qw_fail "the daemon did not start"
qw_log "daemon running (pid $daemon)"

forked_line() { grep -F "forked \"$1\" in pid" "$log" | sed -n "$2p"; }
program_started() {
  local exe
  exe=$(readlink "/proc/$1/exe" 2>/dev/null) && [ "$exe" = "$expected_exe" ]
}
# alive <pid>: the process runs (an ended one that its parent has not yet collected does not).
alive() { [ -e "/proc/$1" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null; }
# The daemon runs nothing (it may collect its ended graphics process only on its next event).
daemon_idle() {
  local child
  for child in $(pgrep -P "$daemon"); do ! alive "$child" || return 1; done
}
reported_end() { grep -qF "child pid $1 ($2) exited abnormally with status 0" "$log"; }

# run_once <list number> <occurrence> <lit colour r g b> <how to activate...>: activates, checks
# the program the daemon started and its picture, deactivates and checks its end.
run_once() {
  local number=$1 occurrence=$2 colour=("$3" "$4" "$5") command line pid window args shot lit
  command=${commands[$((number - 1))]}
  as_user xscreensaver-command "${@:6}" >/dev/null
  poll 20 eval '[ -n "$(forked_line "$command" "$occurrence")" ]' ||
    qw_fail "the daemon did not start \"$command\"; its log: $(cat "$log")"
  line=$(forked_line "$command" "$occurrence")
  pid=$(sed -n 's/.* in pid \([0-9]*\) on window \(0x[0-9a-f]*\).*/\1/p' <<<"$line")
  window=$(sed -n 's/.* in pid \([0-9]*\) on window \(0x[0-9a-f]*\).*/\2/p' <<<"$line")
  [ -n "$pid" ] && [ -n "$window" ] || qw_fail "unexpected log line: $line"

  poll 10 program_started "$pid" || qw_fail "pid $pid is not $expected_exe"
  args=$(tr '\0' ' ' <"/proc/$pid/cmdline")
  [ "${args#* }" = "${command#* } " ] || qw_fail "pid $pid runs '$args', not '$command'"
  tr '\0' '\n' <"/proc/$pid/environ" | grep -qix "XSCREENSAVER_WINDOW=$window" ||
    qw_fail "pid $pid was not given the window $window: $(tr '\0' '\n' <"/proc/$pid/environ")"
  xwininfo -id "$window" | grep -q '"XScreenSaver"' ||
    qw_fail "window $window is not the daemon's"

  # The flock takes a few frames to fill the screen; look until it shows, at most 20 s.
  shot="$QW_ARTIFACTS/run$number-$occurrence.png"
  lit_enough() {
    import -window root "$shot" && lit=$(qw_lit_pixels "$shot" "${colour[@]}") && [ "$lit" -ge 100 ]
  }
  poll 20 lit_enough || qw_fail "\"$command\": expected the flock in its colour, $lit lit pixels ($shot)"
  alive "$pid" || qw_fail "\"$command\" ended by itself"
  qw_log "\"$command\": pid $pid on window $window, $lit pixels of its colour"

  as_user xscreensaver-command -deactivate >/dev/null
  poll 10 eval '! alive "$pid"' || qw_fail "\"$command\" still runs after -deactivate"
  poll 10 reported_end "$pid" "${command%% *}" ||
    qw_fail "the daemon did not see pid $pid end with 0; its log: $(cat "$log")"
  poll 10 daemon_idle || qw_fail "still running after -deactivate: $(pgrep -a -P "$daemon"); its log: $(cat "$log")"
  qw_log "\"$command\": ended with 0, nothing left running"
}

# Ruby with the default (high-quality) glow tints the halo in the glow palette's ruby; without
# glow the wires themselves are drawn in the plain palette's colour.
run_once 1 1 0.82 0.1 0.1 -activate
run_once 1 2 0.82 0.1 0.1 -activate
run_once 2 1 0.4 0.9 1.0 -select 2
run_once 3 1 0.16 0.65 0.0 -select 3

if grep -E '^quellwire:|terminated with signal|crashed|exited abnormally with status [1-9]' "$log"; then
  qw_fail "the daemon's log reports the errors above"
fi
cp "$log" "$QW_ARTIFACTS/daemon.log"
qw_log "daemon log clean ($QW_ARTIFACTS/daemon.log)"
