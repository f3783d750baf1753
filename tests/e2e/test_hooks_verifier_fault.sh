#!/usr/bin/env bash
# The 9x platform: a fault inside the password verifier, raised (1) or a real access violation
# from a store through a null pointer (2), ends the saver with -1, and the system is told that
# no saver runs any more.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_saver_folder password
hooks_use_9x
hooks_use_password 1

for fault in 1 2; do
  qw_reg delete "$QW_PASSWORD_DOUBLE_KEY" /f || true
  hooks_verifier Fault "$fault"
  hooks_start_full_screen
  qw_expect_eq "running state while the saver runs" "running=1" "$(qw_helper running)"
  xdotool key x
  qw_expect_eq "exit code after fault $fault" 255 "$(qw_saver_exit 20)"
  qw_expect_eq "running state after fault $fault" "running=0" "$(qw_helper running)"
  [ -n "$(hooks_verifier_value Window)" ] || qw_fail "the verifier was not called (fault $fault)"
  qw_expect_eq "verifier calls that returned (fault $fault)" "" "$(hooks_verifier_value Calls)"
done
