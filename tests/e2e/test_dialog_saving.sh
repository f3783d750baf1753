#!/usr/bin/env bash
# What the configuration dialog stores: OK without changes, OK after changes, Reset then OK or
# Cancel, sliders at the far left, and the close box, each against a prepared settings key.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_driver.sh"
qw_start
qw_dialog_driver 240 saving
