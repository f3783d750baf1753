#!/usr/bin/env bash
# Glow 2 (High Quality) with Color 4 (Ruby): white wires inside a halo tinted with Ruby's glow
# colour, which lights far more pixels than the wires themselves. (Where white wires cross the
# halo some pixels fall in the plain colour's band; over many runs the glow hue outnumbered them
# 4.7 to 6.7 times as the flock moved, against less than a tenth without glow.)
# Wine draws with llvmpipe, a software renderer, so the saver blurs the halo on the processor:
# it reads the capture back and never copies the screen into a texture. With QUELLWIRE_BLUR=gl
# it blurs with GL instead, by copies, and reads nothing back. Both show the same halo. Wine's
# relay trace of the two GL calls tells which path ran.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/render_helpers.sh"
qw_start
qw_reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
  /d 'opengl32.glReadPixels;opengl32.glCopyTexSubImage2D' /f || qw_fail "could not set the trace"
export WINEDEBUG=+relay

# render_path_calls: how many read-backs and copies the saver's traced run made.
render_path_calls() {
  echo "$(grep -c 'Call opengl32.glReadPixels' "$qw_tmp/wine.out") read-backs," \
    "$(grep -c 'Call opengl32.glCopyTexSubImage2D' "$qw_tmp/wine.out") copies"
}

# First as it runs by itself (the software path, on llvmpipe), then with GL asked for.
for request in "" gl; do
  path=${request:-automatic}
  : >"$qw_tmp/wine.out"
  QUELLWIRE_BLUR=$request render_run_saver "ruby-glow-$path" "Ruby with glow ($path blur)" \
    'white > 30 && red > 1000 && glow > 3 * plain && glow > 100' Color=4 Glow=2
  calls=$(render_path_calls)
  qw_log "$path blur: $calls"
  if [ -z "$request" ]; then
    [[ "$calls" =~ ^[1-9][0-9]*\ read-backs,\ 0\ copies$ ]] || qw_fail "not blurred in software: $calls"
  else
    [[ "$calls" =~ ^0\ read-backs,\ [1-9][0-9]*\ copies$ ]] || qw_fail "not blurred with GL: $calls"
  fi
done
