#!/usr/bin/env bash
# The saver left running full screen at 1920x1080 with high-quality glow for QW_SOAK_SECONDS
# (60 here; the full soak, scripts/soak, runs 300): its resident memory, sampled every second,
# grows by less than 1 MiB after the first 30 s, and a key press still ends it with 0.
# The software GL takes and gives back whole frame-sized buffers as it draws (8 MiB at this
# size), so single samples, and with them the high-water mark, jump by several megabytes either
# way on a busy machine, and come back to the floor only some of the time (a third of the
# samples or fewer), hence a sample every second. What a leak raises is that floor: the lowest
# sample after the first 30 s is compared with the lowest from 10 to 30 s.
export QW_SCREEN=1920x1080x24
source "$(dirname "$0")/lib.sh"
qw_start

seconds=${QW_SOAK_SECONDS:-60}
settle=30
export QW_SAVER_LIMIT=$((seconds + 60))
qw_reg add 'HKCU\Software\Orvane\Quellwire' /v Glow /t REG_DWORD /d 2 /f

xdotool mousemove 960 540
qw_start_saver /s
[ "$(qw_field count "$(qw_helper describe 20000)")" = 1 ] || qw_fail "no saver window"
pid=$(qw_saver_pid)
[ -n "$pid" ] || qw_fail "no saver process"

start=$SECONDS
baseline=""
floor=""
settled=0
samples=()
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  sleep 1
  rss=$(qw_rss_kib "$pid")
  [ -n "$rss" ] || qw_fail "the saver ended by itself after $((SECONDS - start)) s"
  samples+=("$rss")
  # The first samples are taken while the GL's caches still fill.
  if [ $((SECONDS - start)) -le 10 ]; then continue; fi
  if [ $((SECONDS - start)) -le "$settle" ]; then
    if [ -z "$baseline" ] || [ "$rss" -lt "$baseline" ]; then baseline=$rss; fi
  else
    settled=$((settled + 1))
    if [ -z "$floor" ] || [ "$rss" -lt "$floor" ]; then floor=$rss; fi
  fi
done
[ "$settled" -gt 0 ] || qw_fail "the run is shorter than the ${settle} s it needs to settle"
growth=$((floor - baseline))
qw_log "resident memory over $seconds s, KiB every second: ${samples[*]}"
qw_log "lowest from 10 to $settle s: $baseline KiB, lowest after: $floor KiB, growth $growth KiB"
[ "$growth" -lt 1024 ] || qw_fail "resident memory grew by $growth KiB"

xdotool key space
qw_expect_eq "exit code after a key press" 0 "$(qw_saver_exit 20)"
