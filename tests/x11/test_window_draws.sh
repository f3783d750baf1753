#!/usr/bin/env bash
# In a window of its own (the default mode), quellwire draws the flock: after a few seconds the
# window holds lit pixels of Ruby's plain hue (glow off), and closing the window ends it with 0.
source "$(dirname "$0")/lib.sh"
qw_start_display

qw_start_saver -color ruby -glow 0 -wires 100
qw_wait_saver_window
shot="$QW_ARTIFACTS/window.png"
qw_wait_ruby_flock "$(xdotool search --name '^Quellwire$' | head -1)" "$shot"
qw_log "screenshot: $shot"
qw_log "pixels of Ruby's hue: $lit"
[ "$lit" -ge 100 ] || qw_fail "expected the flock in Ruby's hue, found $lit lit pixels"

xdotool search --name '^Quellwire$' windowclose 2>/dev/null || kill -TERM "$qw_saver"
qw_expect_end "window closed" 5
