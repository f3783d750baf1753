#!/usr/bin/env bash
# Replacing, upgrading and downgrading. The build's package installs silently over the other
# architecture's package of the same version (the x64 one over the x86 one, or the other way
# round), leaving one uninstall entry and one saver, its own. One made here from the same
# description with a higher version (and a saver file told apart by bytes added at its end)
# installs over the build's, leaving one entry and one file, its own; the build's package then
# refuses to go back (Windows Installer's 1603) and changes nothing; the higher one's silent
# uninstall, naming the package file, leaves nothing.
QW_WITHOUT_32BIT_PROGRAMS=1 # msiexec, reg and winepath come in both bitnesses
source "$(dirname "$0")/lib.sh"
qw_start
source "$(dirname "$0")/msi_helpers.sh"

IFS=. read -r major minor build tweak <<<"$QW_VERSION"
higher_version="$major.$minor.$((build + 1)).${tweak:-0}" # the third number counts in upgrades
higher_scr="$qw_tmp/higher/QuellwireGL.scr"
higher_msi="$qw_tmp/QuellwireGL-$higher_version-$QW_MSI_ARCH.msi"
mkdir "$qw_tmp/higher"
{ cat "$QW_SCR"; printf 'Quellwire %s\n' "$higher_version"; } >"$higher_scr"
cmake -D VERSION="$higher_version" -D ARCH="$QW_MSI_ARCH" -D SAVER="$higher_scr" \
  -D OUTPUT="$higher_msi" -P "$QW_MAKE_MSI" >>"$qw_tmp/wine.out" 2>&1 ||
  qw_fail "could not build the $higher_version package: $(tail -n 5 "$qw_tmp/wine.out")"

code=$(qw_msi_property "$QW_MSI" ProductCode)
higher_code=$(qw_msi_property "$higher_msi" ProductCode)
[ -n "$code" ] && [ "$code" != "$higher_code" ] ||
  qw_fail "the $higher_version package has the same product code as the build's ($code)"
qw_expect_eq "upgrade code of the $higher_version package" "$QW_UPGRADE_CODE" \
  "$(qw_msi_property "$higher_msi" UpgradeCode)"
installed="$QW_SYSTEM_DIR/QuellwireGL.scr"

[ -f "$QW_OTHER_MSI" ] || qw_fail "the $QW_OTHER_MSI_ARCH package is not built ($QW_OTHER_MSI)"
other_bits=$((96 - QW_WIN_BITS))
qw_expect_eq "msiexec /i of the $QW_OTHER_MSI_ARCH package" 0 \
  "$(qw_msiexec /i "$(qw_winpath "$QW_OTHER_MSI")" /qn)"
qw_expect_eq "uninstall entries of the $QW_OTHER_MSI_ARCH package" \
  "$other_bits $(qw_msi_property "$QW_OTHER_MSI" ProductCode) Quellwire Screen Saver|$QW_VERSION|Orvane" \
  "$(qw_entries)"
[ -e "$QW_OTHER_SYSTEM_DIR/QuellwireGL.scr" ] || qw_fail "the $QW_OTHER_MSI_ARCH saver is not installed"
qw_expect_eq "msiexec /i of the build's package over it" 0 \
  "$(qw_msiexec /i "$(qw_winpath "$QW_MSI")" /qn)"
qw_expect_eq "uninstall entries after the build's package" \
  "$QW_WIN_BITS $code Quellwire Screen Saver|$QW_VERSION|Orvane" "$(qw_entries)"
cmp -s "$QW_SCR" "$installed" || qw_fail "the build's package did not install its saver"
[ ! -e "$QW_OTHER_SYSTEM_DIR/QuellwireGL.scr" ] ||
  qw_fail "the $QW_OTHER_MSI_ARCH saver is still installed beside the build's"
qw_expect_eq "msiexec /i of the $higher_version package over it" 0 \
  "$(qw_msiexec /i "$(qw_winpath "$higher_msi")" /qn)"
upgraded="$QW_WIN_BITS $higher_code Quellwire Screen Saver|$higher_version|Orvane"
qw_expect_eq "uninstall entries after the upgrade" "$upgraded" "$(qw_entries)"
cmp -s "$higher_scr" "$installed" || qw_fail "the upgrade did not install its own saver file"
[ ! -e "$WINEPREFIX/drive_c/windows/Installer/$code" ] ||
  qw_fail "the upgrade left the older product's folder"

files=$(qw_drive_files)
qw_expect_eq "msiexec /i of the build's package over the $higher_version one (1603)" 67 \
  "$(qw_msiexec /i "$(qw_winpath "$QW_MSI")" /qn)"
qw_expect_eq "uninstall entries after the refused downgrade" "$upgraded" "$(qw_entries)"
cmp -s "$higher_scr" "$installed" || qw_fail "the refused downgrade changed the saver file"
[ "$(qw_drive_files)" = "$files" ] || qw_fail "the refused downgrade added or removed files"

qw_expect_eq "msiexec /x of the $higher_version package, named by its file" 0 \
  "$(qw_msiexec /x "$(qw_winpath "$higher_msi")" /qn)"
qw_expect_eq "uninstall entries after /x" "" "$(qw_entries)"
[ ! -e "$installed" ] || qw_fail "the saver is still installed after /x"
