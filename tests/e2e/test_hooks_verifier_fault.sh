#!/usr/bin/env bash
# The 9x platform: a fault inside the password verifier ends the saver with -1, and the system
# is told that no saver runs any more.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_saver_folder password
hooks_use_9x
hooks_use_password 1
hooks_verifier Fault 1

hooks_start_full_screen
qw_expect_eq "running state while the saver runs" "running=1" "$(qw_helper running)"
xdotool key x
qw_expect_eq "exit code after the fault" 255 "$(qw_saver_exit 20)"
qw_expect_eq "running state after the fault" "running=0" "$(qw_helper running)"
