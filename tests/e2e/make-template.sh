#!/usr/bin/env bash
# Creates the Wine prefix that every end-to-end test of this run copies: one `wineboot` for the
# whole run instead of one per test. Usage: make-template.sh <folder>
set -euo pipefail
target=${1:?usage: make-template.sh <folder>}
rm -rf "$target"
mkdir -p "$(dirname "$target")"
export QW_WIN_BUILD=unused QW_E2E_TEMPLATE=unused QW_TEST_NAME=template
source "$(dirname "$0")/lib.sh"
qw_start_display
export WINEPREFIX="$target" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
# No crash dialog and no debugger: a fault nobody handles ends the program at once instead of
# waiting for someone to answer a window (the debugger named here does not exist). HKCU is one
# for 64- and 32-bit programs; HKLM\Software has a view for each, and `wine reg` alone writes
# only the view of whichever reg.exe it runs, so both views are named.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
for view in /reg:64 /reg:32; do
  wine reg add "$aedebug" /v Debugger /d 'C:\windows\no-debugger.exe %ld %ld' /f "$view" \
    >/dev/null 2>&1 || qw_fail "could not name the debugger ($view)"
  wine reg add "$aedebug" /v Auto /d 1 /f "$view" >/dev/null 2>&1 ||
    qw_fail "could not set AeDebug Auto ($view)"
  wine reg query "$aedebug" /v Debugger "$view" 2>/dev/null | grep -q 'no-debugger' ||
    qw_fail "the debugger setting is missing from the $view view"
done
wineserver -w
[ -f "$target/system.reg" ] || qw_fail "wineboot made no prefix"
