#!/usr/bin/env bash
# The configuration dialog opening with no stored settings, and the command lines that open it:
# "/c:<handle>", "/c" and an empty one, each with its owner and its exit code.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_driver.sh"
qw_start
qw_dialog_driver 150 opening command-lines
