#!/usr/bin/env bash
# Glow 2 (High Quality) with Color 4 (Ruby): white wires inside a halo tinted with Ruby's glow
# colour, which lights far more pixels than the wires themselves.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/render_helpers.sh"
qw_start
render_run_saver ruby-glow Color=4 Glow=2
render_check "Ruby with glow" 'white > 30 && red > 1000 && glow > 5 * plain && glow > 100'
