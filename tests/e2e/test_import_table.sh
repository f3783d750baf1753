#!/usr/bin/env bash
# The saver stands alone: its import table names only system libraries and the C runtime, and
# never the password, password-change or input-method libraries, which it looks up by name.
source "$(dirname "$0")/lib.sh"

allowed='^(kernel32|user32|gdi32|opengl32|glu32|advapi32|comctl32|msvcrt)\.dll$'

check_imports() {
  local objdump=$1 scr=$2 dlls dll
  [ -f "$scr" ] || qw_fail "$scr was not built"
  dlls=$("$objdump" -p "$scr" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$dlls" ] || qw_fail "no import table read from $scr"
  for dll in $dlls; do
    case "$dll" in
      password.cpl | mpr.dll | imm32.dll) qw_fail "$scr imports $dll" ;;
    esac
    [[ "$dll" =~ $allowed ]] || qw_fail "$scr imports $dll, which is not a system library"
  done
  qw_log "$(basename "$(dirname "$scr")"): $(echo $dlls)"
}

check_imports "$QW_OBJDUMP" "$QW_SCR"
