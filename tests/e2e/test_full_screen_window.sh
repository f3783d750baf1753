#!/usr/bin/env bash
# /s with further words: one visible, topmost, black window of the saver class (with its own
# device context) titled "Screen Saver" over the whole virtual screen, the cursor hidden and the
# title kept whatever WM_SETTEXT asks; a key press ends it with 0. The same at a desktop
# DPI of 96 and of 144: the saver is per-monitor DPI-aware, so at both its window covers the
# screen in real pixels, exactly the same rectangle. (Wine 8 counts every program per-monitor
# aware whatever its manifest says, so here this pins that the saver never scales its window
# itself; test_resources checks the manifest's DPI settings in the file.)
source "$(dirname "$0")/lib.sh"
qw_start
read -r screen_w screen_h <<<"$(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
                                                   END { print w, h }')"

# The desktop of an empty display is a half-white weave; the saver, once it has drawn, leaves at
# most a few wires. Sets shot and bright.
screen_black() {
  shot=$(qw_screenshot "full-screen-$dpi-dpi")
  bright=$(qw_bright_share "$shot")
  awk -v b="$bright" 'BEGIN { exit !(b < 0.25) }'
}

full_screen_at() {
  local dpi=$1
  qw_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  wineserver -w # the programs started from now on read the new DPI
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
  qw_expect_eq "desktop DPI" "$dpi" "$(qw_field dpi "$info")"
  qw_expect_eq "the window's DPI at $dpi" "$dpi" "$(qw_field window.dpi "$info")"
  qw_expect_eq "per-monitor DPI awareness at $dpi" 2 "$(qw_field window.dpi_awareness "$info")"
  # The helper measures in real pixels: the virtual screen is the X screen, and the window it.
  qw_expect_eq "virtual screen at $dpi" "0,0,$screen_w,$screen_h" "$(qw_field virtual "$info")"
  qw_expect_eq "window rectangle at $dpi" "0,0,$screen_w,$screen_h" \
    "$(qw_field window.rect "$info")"
  qw_expect_eq "client size at $dpi" "${screen_w}x$screen_h" "$(qw_field window.client "$info")"
  qw_expect_eq "X window size at $dpi" "$screen_w $screen_h" "$(xwininfo -name 'Screen Saver' |
    awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')"

  qw_poll 20 screen_black || qw_fail "the screen is not black at $dpi DPI ($bright bright)"
  qw_expect_running "before any input" 0
  qw_expect_eq "cursor" 0 "$(qw_field cursor.handle "$(qw_helper cursor)")"
  text=$(qw_helper settext "$(qw_field window.handle "$info")" Changed)
  qw_expect_eq "answer to WM_SETTEXT" 0 "$(qw_field answer "$text")"
  qw_expect_eq "title after WM_SETTEXT" "Screen Saver" "$(qw_field title "$text")"

  xdotool key a
  qw_expect_eq "exit code after a key press at $dpi DPI" 0 "$(qw_saver_exit 20)"
}

full_screen_at 96
full_screen_at 144
