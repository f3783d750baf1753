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
wineserver -w
[ -f "$target/system.reg" ] || qw_fail "wineboot made no prefix"
