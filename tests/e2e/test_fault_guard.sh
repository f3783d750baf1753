#!/usr/bin/env bash
# The saver's fault guard, linked into a Windows-side test program that faults inside it: in the
# body, in window procedures, in nested guards, with a filter that repairs the fault, and with
# the system's own filter alone (the test prefix has no debugger, so nothing can wait for one).
source "$(dirname "$0")/lib.sh"
qw_start
program="$QW_WINSIDE/fault_guard/fault_guard_test.exe"
for mode in "" system; do
  status=0
  output=$(timeout 60 wine "$program" $mode 2>>"$qw_tmp/wine.out" | tr -d '\r') || status=$?
  echo "$output"
  qw_expect_eq "failures in fault_guard_test $mode" 0 "$status"
  grep -q '^ok ' <<<"$output" || qw_fail "fault_guard_test $mode reported nothing"
done
