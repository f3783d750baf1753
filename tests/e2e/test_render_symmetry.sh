#!/usr/bin/env bash
# Symmetry 1 with the most wires: the saver runs, draws its eight mirrored copies and ends on a
# key press as usual.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/render_helpers.sh"
qw_start
render_run_saver symmetry "symmetry" 'lit > 300' Symmetry=1 Quantity=100 Color=1 Glow=2
