#!/usr/bin/env bash
# The 9x platform without a password: "ScreenSaveUsePassword" absent or 0 (with the verifier
# double at hand), or 1 with no PASSWORD.CPL to be found, or with one that has no verifier. The
# first key press ends the saver with 0, no verifier is loaded, and the system is never told
# that a saver runs.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_use_9x

# expect_no_password <case>: a saver started now ends at the first key press.
expect_no_password() {
  hooks_start_full_screen
  qw_expect_eq "$1: running state" "running=0" "$(qw_helper running)"
  xdotool key x
  qw_expect_eq "$1: exit code after a key press" 0 "$(qw_saver_exit 10)"
}

hooks_saver_folder password
hooks_use_password absent
expect_no_password "value absent"
hooks_use_password 0
expect_no_password "value 0"
qw_expect_eq "verifier loads" "" "$(hooks_verifier_value Loads)"

hooks_saver_folder
hooks_use_password 1
expect_no_password "no PASSWORD.CPL"

hooks_saver_folder no-verifier
expect_no_password "PASSWORD.CPL without a verifier"
qw_expect_eq "loads of the library without a verifier" 1 "$(hooks_change_value Loads)"
