#!/usr/bin/env bash
# The 9x platform with a password: the verifier double refuses, so the saver keeps running with
# the cursor hidden, and the pointer position at the refusal becomes the new origin (4 pixels
# from there do not close, 5 do). A key press 100 ms after a verification ended is refused
# without asking the verifier, one 300 ms after asks again; close requests during a verification
# are refused without a second one. Once the verifier accepts, the saver ends with 0. While the
# verifier is loaded the system is told that a saver runs, and the window has no input-method
# context. From inside the saver the verifier also sees the window's class: its own device
# context, the black stock brush, no icon (the program has no icon 100) and no cursor.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_saver_folder password
hooks_use_9x
hooks_use_password 1
hooks_light_frames

hooks_start_full_screen
qw_expect_eq "verifier loaded" 1 "$(hooks_verifier_value Loads)"
qw_expect_eq "running state while the saver runs" "running=1" "$(qw_helper running)"

# Refused: a real key press with the pointer 3 pixels from where it started.
xdotool mousemove 515 384
sleep 0.5
qw_expect_eq "verifications after a 3-pixel move" "" "$(hooks_verifier_value Calls)"
xdotool key x
hooks_wait_verifications 1
qw_expect_eq "verifications after a key press" 1 "$(hooks_verifier_value Calls)"
qw_expect_eq "window given to the verifier" "$saver_window" "$(hooks_verifier_value Window)"
qw_expect_eq "running state during the verification" 1 "$(hooks_verifier_value SaverRunning)"
qw_expect_eq "input-method context of the saver window" 0 "$(hooks_verifier_value InputContext)"
qw_expect_eq "cursor when the verification began" 0 "$(hooks_verifier_value Cursor)"
qw_expect_eq "class style" $((0x2B)) "$(hooks_verifier_value ClassStyle)"
qw_expect_eq "class brush is the black stock brush" 1 "$(hooks_verifier_value ClassBrushBlack)"
qw_expect_eq "class icon" 0 "$(hooks_verifier_value ClassIcon)"
qw_expect_eq "class cursor" 0 "$(hooks_verifier_value ClassCursor)"
# The double showed the arrow cursor; the refusal hides it again.
qw_expect_eq "cursor after the refusal" 0 "$(qw_field cursor.handle "$(qw_helper cursor)")"
qw_expect_running "after the refusal" 1

# The refusal time, counted from the end of a verification.
retries=$(qw_helper verify-retries "$saver_window" 100 300)
qw_log "$(echo $retries)"
qw_expect_eq "verifications with a key 100 ms after one ended" 1 "$(qw_field calls.100 "$retries")"
qw_expect_eq "verifications with a key 300 ms after it ended" 2 "$(qw_field calls.300 "$retries")"

# A verification that takes 1.5 s, during which a close request and a key press arrive.
hooks_verifier DelayMs 1500
before=$(hooks_verifier_value Calls)
report=$(qw_helper messages "$saver_window" 300 post:0x0100:32:1 post:0x0010:0:0 post:0x0100:32:1)
qw_log "$(echo $report) end=$(hooks_verifier_value EndTick)"
hooks_wait_verifications $((before + 1))
qw_expect_eq "verifications for requests during one" $((before + 1)) "$(hooks_verifier_value Calls)"
hooks_verifier DelayMs 0
qw_expect_running "after the long verification" 1

# The origin is where the pointer was at the last refusal (515, 384): 2 + 2 from there does not
# close (though it is 7 from where the saver started), 3 + 2 does, and the verifier accepts.
before=$(hooks_verifier_value Calls)
xdotool mousemove 517 386
qw_expect_running "after a 4-pixel move from the refusal's origin" 1
qw_expect_eq "verifications after that move" "$before" "$(hooks_verifier_value Calls)"
hooks_verifier Answer 1
xdotool mousemove 518 386
qw_expect_eq "exit code once the verifier accepts" 0 "$(qw_saver_exit 20)"
qw_expect_eq "verifications in all" $((before + 1)) "$(hooks_verifier_value Calls)"
qw_expect_eq "running state after the saver ended" "running=0" "$(qw_helper running)"
