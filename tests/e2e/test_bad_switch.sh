#!/usr/bin/env bash
# Command lines that select no mode, or a preview without a usable window, or the password
# change off the 9x platform, end with -1 (the shell sees 255) and open nothing.
source "$(dirname "$0")/lib.sh"
qw_start
qw_expect_eq "exit code of /x" 255 "$(qw_run 30 "$QW_SCR" /x)"

# The helper starts the saver with these exact argument texts (\t is a tab) and prints each
# exit code; a case that opened a window would show up as a timeout.
cases=('/?' '/\ts' '/p' '/p 0' '/p:123' '/p 4000000123' '/a 123' '"/s"')
codes=$(qw_helper launch 15000 "$(qw_winpath "$QW_SCR")" "${cases[@]}")
i=0
for code in $codes; do
  qw_expect_eq "exit code of '${cases[$i]}'" -1 "$code"
  i=$((i + 1))
done
qw_expect_eq "cases run" "${#cases[@]}" "$i"
