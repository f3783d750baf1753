#!/usr/bin/env bash
# Glow 3, which only the store can hold, with Color 4 (Ruby): white wires and no halo at all.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/render_helpers.sh"
qw_start
render_run_saver white-wires "glow 3" 'lit > 300 && grey > 0.97 * lit && red < 0.01 * lit' \
  Color=4 Glow=3
