#!/usr/bin/env bash
# Glow 0 (None) with Color 4 (Ruby): the wires are drawn in Ruby's plain colour and nothing else:
# no white wires, no halo in the deeper glow red.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/render_helpers.sh"
qw_start
render_run_saver ruby-plain "Ruby without glow" \
  'lit > 300 && red > 0.9 * lit && white < 0.02 * lit && plain > 50 && glow < 0.1 * plain' \
  Color=4 Glow=0
