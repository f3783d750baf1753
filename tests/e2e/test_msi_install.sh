#!/usr/bin/env bash
# The build's Windows Installer package: its tables (per machine, the saver as the one component's
# key path in the system folder of the package's architecture, a versioned file, the fixed
# upgrade code, the downgrade refusal, the icon, and no registry value, shortcut or custom action
# of its own). A
# silent install puts the saver, byte for byte, into that folder and only there, and the
# uninstall entry (name, version, publisher, icon) into that architecture's registry view, and
# writes nothing into the user's settings; the installed saver runs full screen, in a preview and
# with its dialog from there (the 32-bit one only where this machine runs 32-bit programs); a
# silent uninstall leaves no file and no entry behind.
QW_WITHOUT_32BIT_PROGRAMS=1 # but for the installed saver, which is skipped where it cannot run
source "$(dirname "$0")/lib.sh"
qw_start
source "$(dirname "$0")/msi_helpers.sh"
source "$(dirname "$0")/dialog_driver.sh"

# --- The tables ----------------------------------------------------------------------------------
# expect_table <table> <row>...: the table holds exactly these rows, their fields joined by "|".
expect_table() {
  local table=$1 rows
  shift
  rows=$(qw_msi_rows "$QW_MSI" "$table") # a table msiinfo cannot read ends the test here
  qw_expect_eq "$table table" "$(printf '%s\n' "$@" | tr '|' '\t' | sed '/^$/d' | LC_ALL=C sort)" \
    "$rows"
}
guid='^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$'
product_code=$(qw_msi_property "$QW_MSI" ProductCode)
[[ "$product_code" =~ $guid ]] || qw_fail "product code '$product_code' is not an upper-case GUID"
expect_table Property ALLUSERS\|1 ARPNOMODIFY\|1 ARPPRODUCTICON\|quellwire.ico \
  Manufacturer\|Orvane "ProductCode|$product_code" ProductLanguage\|1033 \
  "ProductName|Quellwire Screen Saver" "ProductVersion|$QW_VERSION" \
  "SecureCustomProperties|WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED" \
  "UpgradeCode|$QW_UPGRADE_CODE"

# One component, its key path the saver in the architecture's system folder (a 64-bit component,
# msidbComponentAttributes64bit, in the x64 package).
if [ "$QW_MSI_ARCH" = x64 ]; then
  folder=System64Folder attributes=256 template='x64;1033'
else
  folder=SystemFolder attributes=0 template='Intel;1033'
fi
component_guid=$(qw_msi_rows "$QW_MSI" Component | cut -f 2)
[[ "$component_guid" =~ $guid ]] || qw_fail "component GUID '$component_guid'"
expect_table Component "QuellwireGL.scr|$component_guid|$folder|$attributes||QuellwireGL.scr"
# A versioned file, with the version resource's version and language, so a repair restores it.
expect_table File \
  "QuellwireGL.scr|QuellwireGL.scr|QuellwireGL.scr|$(stat -c %s "$QW_SCR")|$QW_VERSION|1033|512|1"
expect_table Directory "$folder|TARGETDIR|." "TARGETDIR||SourceDir"

# Older versions, and this one of the other architecture, are found to be removed (before this
# one is installed; 513: features migrated, maximum included), newer ones only to be detected,
# and the launch condition then stops with the message an administrator sees.
expect_table Upgrade "$QW_UPGRADE_CODE||$QW_VERSION||513||WIX_UPGRADE_DETECTED" \
  "$QW_UPGRADE_CODE|$QW_VERSION|||2||WIX_DOWNGRADE_DETECTED"
expect_table LaunchCondition "NOT WIX_DOWNGRADE_DETECTED|A newer version of [ProductName] is \
already installed. To install this version, first uninstall the newer one."
qw_expect_eq "RemoveExistingProducts before InstallInitialize" \
  "RemoveExistingProducts InstallInitialize" "$(qw_msi_rows "$QW_MSI" InstallExecuteSequence |
    sort -t $'\t' -k 3n | cut -f 1 | grep -x -E 'RemoveExistingProducts|InstallInitialize' | xargs)"

# Nothing but the file: no registry value, shortcut, custom action, folder or service of its own.
for table in Registry Shortcut CustomAction RemoveFile CreateFolder ServiceInstall; do
  expect_table "$table"
done
expect_table Icon "quellwire.ico|Icon.quellwire.ico"
msiinfo extract "$QW_MSI" Icon.quellwire.ico >"$qw_tmp/icon.ico" || qw_fail "no icon stream"
cmp -s "$qw_tmp/icon.ico" "$QW_SOURCE_DIR/resources/quellwire.ico" ||
  qw_fail "the package's icon is not resources/quellwire.ico"
summary=$(msiinfo suminfo "$QW_MSI" | tr -d '\r')
qw_expect_eq "summary: platform and language, author" "$template Orvane" \
  "$(printf '%s\n' "$summary" | sed -n 's/^Template: //p') $(printf '%s\n' "$summary" |
    sed -n 's/^Author: //p')"

# --- Silent install ------------------------------------------------------------------------------
files_before=$(qw_drive_files)
user_before=$(qw_user_settings)
qw_expect_eq "msiexec /i /qn" 0 "$(qw_msiexec /i "$(qw_winpath "$QW_MSI")" /qn)"
cmp -s "$QW_SCR" "$QW_SYSTEM_DIR/QuellwireGL.scr" ||
  qw_fail "the installed saver is missing or differs from the built one"
[ ! -e "$QW_OTHER_SYSTEM_DIR/QuellwireGL.scr" ] ||
  qw_fail "the saver went into the other architecture's system folder too"
qw_expect_eq "uninstall entries" \
  "$QW_WIN_BITS $product_code Quellwire Screen Saver|$QW_VERSION|Orvane" "$(qw_entries)"
# Add/Remove Programs shows the icon Windows Installer keeps for the product.
cmp -s "$WINEPREFIX/drive_c/windows/Installer/$product_code/quellwire.ico" \
  "$QW_SOURCE_DIR/resources/quellwire.ico" || qw_fail "the product's icon was not kept"
[ "$(qw_user_settings)" = "$user_before" ] || qw_fail "installing changed the user's settings"

# --- The installed saver, started by its system path --------------------------------------------
run_installed() {
  QW_SCR=$QW_INSTALLED_SCR
  QW_SCR_WINE=$QW_INSTALLED_WINE
  qw_start_saver /s
  info=$(qw_helper describe 20000)
  qw_expect_eq "full-screen windows" 1 "$(qw_field count "$info")"
  qw_expect_eq "full-screen title" "Screen Saver" "$(qw_field window.title "$info")"
  qw_expect_running "full screen" 1
  xdotool key a
  qw_expect_eq "exit code of /s after a key press" 0 "$(qw_saver_exit 20)"

  parent_out="$qw_tmp/parent.out"
  ( wine "$QW_HELPER" parent 320 240 2>>"$qw_tmp/wine.out" | sed -u 's/\r$//' >"$parent_out" ) &
  for _ in $(seq 1 200); do
    parent=$(qw_field parent "$(cat "$parent_out")")
    [ -n "$parent" ] && break
    sleep 0.1
  done
  [ -n "$parent" ] || qw_fail "the helper made no parent window"
  qw_start_saver /p "$parent"
  info=$(qw_helper describe 20000 "$parent")
  qw_expect_eq "preview windows" 1 "$(qw_field count "$info")"
  qw_expect_eq "preview size" 320x240 "$(qw_field window.client "$info")"
  qw_expect_running "preview" 1
  qw_helper close "$parent" >/dev/null
  qw_expect_eq "exit code of /p once its parent is gone" 0 "$(qw_saver_exit 20)"

  # The dialog, opened by the driver with the same path (the 32-bit driver is redirected too).
  qw_dialog_driver 150 opening
}
if [ "$QW_WIN_BITS" = 64 ] || qw_runs_32bit; then
  run_installed
else
  qw_log "the installed saver not run: this machine runs no 32-bit programs"
fi

# --- Silent uninstall ----------------------------------------------------------------------------
qw_expect_eq "msiexec /x /qn" 0 "$(qw_msiexec /x "$product_code" /qn)"
qw_expect_eq "uninstall entries after /x" "" "$(qw_entries)"
[ ! -e "$QW_SYSTEM_DIR/QuellwireGL.scr" ] || qw_fail "the saver is still installed after /x"
[ ! -e "$WINEPREFIX/drive_c/windows/Installer/$product_code" ] ||
  qw_fail "the product's icon folder is left after /x"
diff <(echo "$files_before") <(qw_drive_files) >"$qw_tmp/files.diff" ||
  qw_fail "files changed between before the install and after the uninstall:
$(cat "$qw_tmp/files.diff")"
