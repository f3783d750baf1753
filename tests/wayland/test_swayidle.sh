#!/usr/bin/env bash
# swayidle runs the saver as its users do (`swayidle timeout <s> 'quellwire -fullscreen'
# timeout <later> '<locker>'`, without -w): after the idle time the saver covers both outputs,
# the later command (here one that writes a marker file, standing for the locker) runs while the
# saver still shows, a key ends the saver with 0, and after the next idle time it is started
# again and a pointer move ends it with 0.
source "$(dirname "$0")/lib.sh"
qw_start_sway 800x600 1024x768@2

log="$qw_tmp/idle.log"
: >"$log"
# The command as swayidle runs it (through sh): it notes when the saver starts and how it ends.
command="echo started >>'$log'; QUELLWIRE_GL='${QUELLWIRE_GL:-}' WAYLAND_DEBUG=client nice -n 10 '$QW_QUELLWIRE' -fullscreen -glow 0 2>>'$qw_tmp/saver.err'; echo ended \$? >>'$log'"
marker="$qw_tmp/locker-ran"
swayidle timeout 2 "$command" timeout 6 "touch '$marker'" >"$qw_tmp/swayidle.log" 2>&1 &
qw_saver=$!
qw_saver_pids+=("$qw_saver")

# wait_log <line> <count> <seconds>: waits until the log holds the line that many times.
wait_log() {
  local i
  for i in $(seq 1 $(($3 * 10))); do
    [ "$(grep -cx "$1" "$log")" -ge "$2" ] && return
    sleep 0.1
  done
  qw_fail "expected '$1' $2 times in swayidle's log, got: $(tr '\n' ' ' <"$log")"
}

wait_log started 1 10
qw_wait_drawn HEADLESS-1 "$QW_ARTIFACTS/idle-1.png"
qw_wait_drawn HEADLESS-2 "$QW_ARTIFACTS/idle-2.png"
qw_poll 20 test -e "$marker" || qw_fail "the later timeout's command did not run while the saver showed"
! grep -q '^ended' "$log" || qw_fail "the saver ended before the later command ran: $(tr '\n' ' ' <"$log")"
qw_wait_drawn HEADLESS-1 "$QW_ARTIFACTS/idle-1.png"
qw_log "the later timeout's command ran while the saver showed"
qw_keys 10
wait_log "ended 0" 1 15
kill "$qw_keys_pid" 2>/dev/null || true  # keys would keep the session from going idle again
qw_log "a key ended the saver with 0"

wait_log started 2 10
qw_wait_drawn HEADLESS-1 "$QW_ARTIFACTS/idle-1.png"
qw_saver_pointer move 0 0 pause 200 move 20 20
wait_log "ended 0" 2 5
qw_log "started again after idle; a pointer move ended it with 0"
! grep -q 'ended [1-9]' "$log" || qw_fail "a run ended badly: $(tr '\n' ' ' <"$log")"
