#!/usr/bin/env bash
# The saver file carries its version, its description string in three tables and icon group 135
# (and no icon 100, which the window class asks for and so ends up without an icon).
source "$(dirname "$0")/lib.sh"
qw_start
probe="$QW_WINSIDE/resource_probe/resource_probe.exe"
[ -f "$probe" ] || qw_fail "missing $probe"
out="$qw_tmp/resources.txt"
timeout 60 wine "$probe" "$(winepath -w "$QW_SCR" 2>/dev/null)" 2>>"$qw_tmp/wine.out" \
  | tr -d '\r' >"$out" || qw_fail "resource probe failed: $(cat "$out")"
value() { sed -n "s/^$1=//p" "$out"; }

qw_expect_eq "file version" 1.1.0.0 "$(value file_version)"
qw_expect_eq "product version" 1.1.0.0 "$(value product_version)"
qw_expect_eq "FileVersion" "1, 1, 0, 0" "$(value FileVersion)"
qw_expect_eq "ProductVersion" "1, 1, 0, 0" "$(value ProductVersion)"
qw_expect_eq "FileDescription" "Screen Saver" "$(value FileDescription)"
qw_expect_eq "ProductName" "Quellwire" "$(value ProductName)"
qw_expect_eq "InternalName" "Quellwire" "$(value InternalName)"
qw_expect_eq "OriginalFilename" "QuellwireGL.scr" "$(value OriginalFilename)"
qw_expect_eq "string 1, neutral" "Quellwire Screen Saver" "$(value string1_neutral)"
qw_expect_eq "string 1, French" "NA" "$(value string1_1036)"
qw_expect_eq "string 1, Japanese" "NA" "$(value string1_1041)"
qw_expect_eq "icon group 135" 1 "$(value icon_group_135)"
qw_expect_eq "icon group 100" 0 "$(value icon_group_100)"
