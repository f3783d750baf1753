#!/usr/bin/env bash
# Off the 9x platform the password hooks stay inert, even with "ScreenSaveUsePassword" set and
# PASSWORD.CPL beside the saver: no library is loaded, the system's running state is left
# alone, the autoplay query is not answered and does not end the saver, and WM_CLOSE destroys
# the window at once.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_saver_folder password
hooks_use_password 1

hooks_start_full_screen
qw_expect_eq "running state" "running=0" "$(qw_helper running)"
qw_expect_eq "autoplay answer" 0 "$(hooks_send "$saver_window" QueryCancelAutoPlay 0 0)"
qw_expect_running "after the autoplay query" 1
qw_helper close "$saver_window"
qw_expect_eq "exit code after WM_CLOSE" 0 "$(qw_saver_exit 10)"
qw_expect_eq "verifier loads" "" "$(hooks_verifier_value Loads)"
