#!/usr/bin/env bash
# /s with further words: one visible, topmost, black window of the saver class (with its own
# device context) titled "Screen Saver" over the whole virtual screen, the cursor hidden and the
# title kept whatever WM_SETTEXT asks; a key press ends it with 0.
source "$(dirname "$0")/lib.sh"
qw_start
qw_start_saver /s extra words
info=$(qw_helper describe 20000)
qw_expect_eq "saver windows" 1 "$(qw_field count "$info")"
qw_expect_eq "title" "Screen Saver" "$(qw_field window.title "$info")"
qw_expect_eq "visible" 1 "$(qw_field window.visible "$info")"
qw_expect_eq "parent" 0 "$(qw_field window.parent "$info")"
style=$(qw_field window.style "$info")
exstyle=$(qw_field window.exstyle "$info")
qw_expect_eq "popup, visible, clipping" 0x96000000 "$(printf '0x%08x' $((style & 0xD6000000)))"
qw_expect_eq "topmost" 8 "$((exstyle & 8))"
qw_expect_eq "class style" 0x0000002b "$(qw_field window.classstyle "$info")"
read -r vx vy vw vh <<<"$(qw_field virtual "$info" | tr ',' ' ')"
qw_expect_eq "window rectangle" "$vx,$vy,$((vx + vw)),$((vy + vh))" "$(qw_field window.rect "$info")"

sleep 1
shot=$(qw_screenshot full-screen)
bright=$(qw_bright_share "$shot")
# The desktop of an empty display is a half-white weave; the saver leaves at most a few wires.
awk -v b="$bright" 'BEGIN { exit !(b < 0.25) }' || qw_fail "the screen is not black ($bright bright)"
qw_expect_running "before any input" 0
qw_expect_eq "cursor" 0 "$(qw_field cursor.handle "$(qw_helper cursor)")"
text=$(qw_helper settext "$(qw_field window.handle "$info")" Changed)
qw_expect_eq "answer to WM_SETTEXT" 0 "$(qw_field answer "$text")"
qw_expect_eq "title after WM_SETTEXT" "Screen Saver" "$(qw_field title "$text")"

xdotool key a
qw_expect_eq "exit code after a key press" 0 "$(qw_saver_exit 20)"
