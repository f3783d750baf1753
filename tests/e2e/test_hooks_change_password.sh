#!/usr/bin/env bash
# /a <handle>: on the 9x platform the system's password-change entry of MPR.DLL is called with
# the provider "SCRSAVE", the owner window and two zeros, and the saver ends with 0; on any
# other platform it ends with -1 and the library is never loaded. Wine's own MPR.DLL faults in
# that entry, so a double beside the saver stands in for it. When the entry faults (outside any
# window message), the program's own fault guard ends it with -1 and tells the system that no
# saver runs.
export WINEDLLOVERRIDES="mscoree,mshtml=;mpr=n,b"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_saver_folder change
qw_make_parent

qw_expect_eq "exit code off the 9x platform" 255 "$(qw_run 30 "$QW_SCR" /a "$parent")"
qw_expect_eq "password-change library loads off the 9x platform" "" "$(hooks_change_value Loads)"

hooks_use_9x
qw_expect_eq "exit code on the 9x platform" 0 "$(qw_run 30 "$QW_SCR" /a "$parent")"
qw_expect_eq "password changes" 1 "$(hooks_change_value Calls)"
qw_expect_eq "provider" SCRSAVE "$(hooks_change_value Provider)"
qw_expect_eq "owner" "$parent" "$(hooks_change_value Owner)"
qw_expect_eq "first number" 0 "$(hooks_change_value Param1)"
qw_expect_eq "second number" 0 "$(hooks_change_value Param2)"

qw_reg add "$QW_CHANGE_DOUBLE_KEY" /v Fault /t REG_DWORD /d 1 /f
qw_expect_eq "running state set beforehand" "running=1" "$(qw_helper running 1)"
qw_expect_eq "exit code after a fault" 255 "$(qw_run 30 "$QW_SCR" /a "$parent")"
qw_expect_eq "password-change library loads" 2 "$(hooks_change_value Loads)"
qw_expect_eq "running state after the fault" "running=0" "$(qw_helper running)"
