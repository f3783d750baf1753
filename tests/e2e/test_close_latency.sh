#!/usr/bin/env bash
# How long a full-screen saver takes to go away: the time from a key press, and from a 5-pixel
# pointer move, to the end of its process, over QW_LATENCY_TRIALS trials of each (3 here; the
# full measurement, scripts/soak, runs 20). Each run must end with 0, within 20 s. The figures
# are printed, never judged: timing on a shared machine varies.
#
# Xvfb has no window manager, and Wine, when it hides a window that a window manager would
# manage, waits up to 2 s for the manager to confirm before it goes on. So the times are taken
# with Wine's "Managed" setting off (as on a desktop whose manager answers at once), and once
# more, key presses only, with Wine's default, to show that wait separately.
source "$(dirname "$0")/lib.sh"
qw_start
xdotool mousemove 512 384

trials=${QW_LATENCY_TRIALS:-3}

# median_and_worst <values...>: "median <m> ms, worst <w> ms".
median_and_worst() {
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %.1f ms, worst %.1f ms", m, v[NR] }'
}

# measure <label> <key|move> <trials>
# The pointer is not put back between trials: Wine learns where the pointer is only from the
# motion its own windows see, and a pointer moved while no saver runs would look, to the next
# saver, like a move after its start. The moves go back and forth instead.
measure() {
  local times=() trial ms input=$2
  for trial in $(seq 1 "$3"); do
    qw_start_saver /s
    [ "$(qw_field count "$(qw_helper describe 20000)")" = 1 ] || qw_fail "no saver window"
    sleep 1
    if [ "$2" = move ]; then input=$([ $((trial % 2)) = 1 ] && echo move || echo move-back); fi
    ms=$(python3 "$(dirname "$0")/close_latency.py" "$input" "$qw_saver_rc")
    [ "$ms" != ended-before-input ] || qw_fail "$1 $2, trial $trial: the saver ended by itself"
    [ "$ms" != timeout ] || qw_fail "$1 $2, trial $trial: the saver did not end"
    qw_expect_eq "exit code after the $2, trial $trial" 0 "$(cat "$qw_saver_rc")"
    times+=("$ms")
  done
  qw_log "close after a $2 ($1, $3 trials): $(median_and_worst "${times[@]}") (all: ${times[*]})"
}

measure "Wine default, no window manager" key "$(( trials < 2 ? trials : 2 ))"
qw_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
measure "unmanaged" key "$trials"
measure "unmanaged" move "$trials"
