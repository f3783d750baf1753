#!/usr/bin/env bash
# The 9x platform: the registered "QueryCancelAutoPlay" message ends the saver, full screen or
# preview, and is answered 1 (cancel the autoplay) only when a password verifier is loaded.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_use_9x
hooks_saver_folder password

hooks_use_password 0
hooks_start_full_screen
qw_expect_eq "answer without a password" 0 "$(hooks_send "$saver_window" QueryCancelAutoPlay 0 0)"
qw_expect_eq "exit code without a password" 0 "$(qw_saver_exit 10)"

hooks_use_password 1
hooks_verifier Answer 1
hooks_start_full_screen
qw_expect_eq "answer with a verifier" 1 "$(hooks_send "$saver_window" QueryCancelAutoPlay 0 0)"
qw_expect_eq "exit code with a verifier" 0 "$(qw_saver_exit 10)"
qw_expect_eq "verifications" 1 "$(hooks_verifier_value Calls)"

# A preview loads no verifier, whatever the desktop setting.
qw_make_parent
qw_start_saver /p "$parent"
info=$(qw_helper describe 20000 "$parent")
[ "$(qw_field count "$info")" = 1 ] || qw_fail "no preview window"
child=$(qw_field window.handle "$info")
qw_expect_eq "answer in a preview" 0 "$(hooks_send "$child" QueryCancelAutoPlay 0 0)"
qw_expect_eq "exit code of the preview" 0 "$(qw_saver_exit 10)"
