#!/usr/bin/env bash
# A second /s while one runs exits 0 at once without a window of its own; the first runs on,
# and is brought to the foreground: a helper window that only looks like a running saver and is
# not the active window becomes the foreground window when /s starts.
source "$(dirname "$0")/lib.sh"
qw_start
qw_start_saver /s
first=$(qw_field window.handle "$(qw_helper describe 20000)")
[ -n "$first" ] || qw_fail "the first saver made no window"

qw_expect_eq "exit code of the second /s" 0 \
  "$(qw_helper launch 15000 "$(qw_winpath "$QW_SCR")" /s)"
info=$(qw_helper describe 0)
qw_expect_eq "saver windows" 1 "$(qw_field count "$info")"
qw_expect_eq "the first saver's window" "$first" "$(qw_field window.handle "$info")"
qw_expect_running "the first saver" 1

xdotool key a
qw_expect_eq "exit code of the first saver" 0 "$(qw_saver_exit 20)"

( wine "$QW_HELPER" decoy 2>>"$qw_tmp/wine.out" | sed -u 's/\r$//' >"$qw_tmp/decoy.out" ) &
for i in $(seq 1 200); do
  decoy=$(qw_field decoy "$(cat "$qw_tmp/decoy.out")")
  [ -n "$decoy" ] && break
  sleep 0.1
done
[ -n "$decoy" ] || qw_fail "the helper made no decoy window"
[ "$(qw_field foreground "$(qw_helper foreground)")" != "$decoy" ] ||
  qw_fail "the decoy is the foreground window from the start"
qw_expect_eq "exit code of /s beside the decoy" 0 \
  "$(qw_helper launch 15000 "$(qw_winpath "$QW_SCR")" /s)"
qw_expect_eq "foreground window" "$decoy" "$(qw_field foreground "$(qw_helper foreground)")"
qw_helper close "$decoy"
