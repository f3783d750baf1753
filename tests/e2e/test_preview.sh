#!/usr/bin/env bash
# /p and /l draw into a parent window made by the helper: a child titled "Preview" filling the
# parent's client area, which input does not end, which leaves the parent's cursor alone (it
# neither hides it nor has a class cursor of its own), which forwards context-menu requests
# to the parent, and which ends the saver with 0 when the parent is destroyed. A handle wraps
# modulo 2^32, and a parent without a client area (0 x 0) is no trouble.
source "$(dirname "$0")/lib.sh"
qw_start

# expect_preview <parent> <width> <height>: describes the preview child; sets child.
expect_preview() {
  local info
  info=$(qw_helper describe 20000 "$1")
  qw_expect_eq "preview windows" 1 "$(qw_field count "$info")"
  qw_expect_eq "title" "Preview" "$(qw_field window.title "$info")"
  qw_expect_eq "client size" "${2}x${3}" "$(qw_field window.client "$info")"
  qw_expect_eq "visible child" 0x50000000 \
    "$(printf '0x%08x' $(($(qw_field window.style "$info") & 0xD0000000)))"
  child=$(qw_field window.handle "$info")
}

qw_make_parent 320 240
qw_start_saver /p "$parent"
expect_preview "$parent" 320 240

# Keys, clicks and pointer moves change nothing in a preview.
qw_helper post "$child" 0x0100 0x41 0            # WM_KEYDOWN
qw_helper post "$child" 0x0201 1 0x00100010      # WM_LBUTTONDOWN
qw_helper post "$child" 0x0200 0 0x00500050      # WM_MOUSEMOVE
xdotool mousemove_relative 40 40
xdotool key a
# A context-menu request goes to the parent, with the parent's own handle. (Help carries a
# pointer, which the system does not let anyone post, so it cannot be sent from here.)
qw_helper post "$child" 0x007B "$child" 0x00200020  # WM_CONTEXTMENU
qw_expect_running "after input" 2
# WM_SETCURSOR for the child's client area under a pointer move; the parent shows the cross.
qw_helper messages "$child" 0 "send:0x0020:$child:0x02000001" >/dev/null
qw_expect_eq "cursor over the preview" "$(qw_field cursor "$(cat "$parent_out")")" \
  "$(qw_field cursor.handle "$(qw_helper cursor)")"
grep -q "^received=contextmenu wParam=$parent lParam=2097184\$" "$parent_out" ||
  qw_fail "the context menu was not forwarded to the parent: $(cat "$parent_out")"

qw_helper close "$parent" >/dev/null
qw_expect_eq "exit code once the parent is gone" 0 "$(qw_saver_exit 20)"

# /l with a handle written 2^32 too large, into a parent without a client area.
qw_make_parent 0 0
qw_start_saver /l "$((parent + 4294967296))"
expect_preview "$parent" 0 0
qw_expect_running "a preview of no size" 1
qw_helper close "$parent" >/dev/null
qw_expect_eq "exit code of the 0 x 0 preview" 0 "$(qw_saver_exit 20)"
