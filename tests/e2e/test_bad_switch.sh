#!/usr/bin/env bash
source "$(dirname "$0")/lib.sh"
qw_start
qw_expect_eq "exit code of /x" 255 "$(qw_run 30 "$QW_SCR" /x)"
