#!/usr/bin/env bash
# A display without OpenGL (Xvfb without its GLX extension, so Wine offers no pixel format and
# no context): the full-screen saver still opens its black window, keeps running, and a key
# press still ends it with 0.
export QW_XVFB_ARGS="-extension GLX"
source "$(dirname "$0")/lib.sh"
qw_start
if xdpyinfo | grep -q GLX; then qw_fail "the display still offers GLX"; fi

qw_start_saver /s
[ "$(qw_field count "$(qw_helper describe 20000)")" = 1 ] || qw_fail "no saver window"
qw_expect_running "without OpenGL" 3
shot=$(qw_screenshot no-opengl)
share=$(qw_bright_share "$shot")
awk -v s="$share" 'BEGIN { exit !(s == 0) }' || qw_fail "the window is not black ($share bright)"
xdotool key space
qw_expect_eq "exit code after a key press" 0 "$(qw_saver_exit 20)"
