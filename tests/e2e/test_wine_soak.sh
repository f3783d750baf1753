#!/usr/bin/env bash
# The saver left running full screen at 1920x1080 with high-quality glow for QW_SOAK_SECONDS
# (60 here; the full soak, scripts/soak, runs 300), and for up to 120 s more until its memory
# has kept its level: its resident memory, sampled every second, is judged by memory_level.py
# (the software GL's buffers make single samples dip by megabytes, and the warm-up that comes
# first takes longer on a busy machine, so the rule finds where the level settles from the
# samples themselves). A key press then still ends it with 0.
export QW_SCREEN=1920x1080x24
source "$(dirname "$0")/lib.sh"
qw_start

seconds=${QW_SOAK_SECONDS:-60}
longest=$((seconds + 120))
export QW_SAVER_LIMIT=$((longest * 3)) # a sample a second is slower than that on a busy machine
qw_reg add 'HKCU\Software\Orvane\Quellwire' /v Glow /t REG_DWORD /d 2 /f

xdotool mousemove 960 540
qw_start_saver /s
[ "$(qw_field count "$(qw_helper describe 20000)")" = 1 ] || qw_fail "no saver window"
pid=$(qw_saver_pid)
[ -n "$pid" ] || qw_fail "no saver process"

samples=()
kept=1
while [ "${#samples[@]}" -lt "$longest" ]; do
  sleep 1
  rss=$(qw_rss_kib "$pid")
  [ -n "$rss" ] || qw_fail "the saver ended by itself after ${#samples[@]} s"
  samples+=("$rss")
  # Judged every 5 s (the rule looks at the last five seconds' checks itself), and at the end.
  [ "${#samples[@]}" -ge "$seconds" ] || continue
  [ $(((${#samples[@]} - seconds) % 5)) = 0 ] || [ "${#samples[@]}" = "$longest" ] || continue
  kept=0
  verdict=$(python3 "$(dirname "$0")/memory_level.py" judge "${samples[@]}") || kept=$?
  [ "$kept" = 0 ] && break
done
qw_log "resident memory, KiB every second: ${samples[*]}"
qw_log "$verdict"
[ "$kept" = 0 ] || qw_fail "resident memory did not keep its level in ${#samples[@]} s: $verdict"

xdotool key space
qw_expect_eq "exit code after a key press" 0 "$(qw_saver_exit 20)"
