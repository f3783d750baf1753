#!/usr/bin/env bash
# The saver's window procedure with the real WGL: a double-buffered OpenGL format is set and a
# context made current at creation, any timer runs a frame, the 10 ms timer keeps them coming,
# and destruction releases everything; the settings are read at creation. The same for a window
# with a 0 x 0 client area.
source "$(dirname "$0")/lib.sh"
qw_start
probe="$QW_WINSIDE/frame_driver_probe/frame_driver_probe.exe"
[ -f "$probe" ] || qw_fail "missing $probe"

run_probe() {  # run_probe <name> [argument]
  local out="$qw_tmp/$1.txt" status=0
  timeout 60 wine "$probe" ${2:+"$2"} 2>>"$qw_tmp/wine.out" | tr -d '\r' >"$out" || status=$?
  [ "$status" -eq 0 ] || qw_fail "$1: probe ended with $status: $(cat "$out")"
  cp "$out" "$QW_ARTIFACTS/"
}
value() { sed -n "s/^$2=//p" "$qw_tmp/$1.txt"; }

# The settings are read from the registry at creation: two stored values, defaults for the rest.
qw_reg add 'HKCU\Software\Orvane\Quellwire' /v Color /t REG_DWORD /d 3 /f
qw_reg add 'HKCU\Software\Orvane\Quellwire' /v Quantity /t REG_DWORD /d 70 /f

run_probe sized
qw_expect_eq "stored colour" 3 "$(value sized settings_color)"
qw_expect_eq "stored quantity" 70 "$(value sized settings_quantity_percent)"
qw_expect_eq "client width" 320 "$(value sized width)"
qw_expect_eq "client height" 240 "$(value sized height)"
for key in pixel_format_set format_window_opengl format_double_buffered format_rgba \
           context_current initial_blend_ordinary foreign_timer_frame \
           blend_ordinary_after_frame frame_timer_ticks_reached_20 context_released \
           texture_names_zero handles_cleared; do
  qw_expect_eq "$key" 1 "$(value sized "$key")"
done
qw_expect_eq "viewport" "320x240" "$(value sized viewport_width)x$(value sized viewport_height)"
qw_expect_eq "GL error" 0 "$(value sized gl_error)"

run_probe zero zero
qw_expect_eq "zero client size" "0x0" "$(value zero width)x$(value zero height)"
qw_expect_eq "zero viewport" "0x0" "$(value zero viewport_width)x$(value zero viewport_height)"
for key in foreign_timer_frame frame_timer_ticks_reached_20 context_released handles_cleared; do
  qw_expect_eq "zero: $key" 1 "$(value zero "$key")"
done
