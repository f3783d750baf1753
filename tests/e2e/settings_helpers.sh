# Sourced after lib.sh by the settings store's end-to-end tests: runs settings_probe.exe, the
# Windows-side program that loads and saves the settings through the real registry layer, and
# reads back what the registry holds under the settings key.

QW_SETTINGS_KEY='HKCU\Software\Orvane\Quellwire'
QW_SETTINGS_PROBE="$QW_WINSIDE/settings_probe/settings_probe.exe"
[ -f "$QW_SETTINGS_PROBE" ] || qw_fail "settings_probe.exe is not built: $QW_SETTINGS_PROBE"

# The defaults as `settings_probe load` prints them.
QW_SETTINGS_DEFAULTS="quantity=0.5 size=0.5 speed=0.5 glow=2 color=6 symmetry=0"

# settings_probe <args...>: runs the probe and prints its output; fails when the probe does.
settings_probe() {
  local out status=0
  out=$(timeout 60 wine "$QW_SETTINGS_PROBE" "$@" 2>>"$qw_tmp/wine.out") || status=$?
  [ "$status" -eq 0 ] || qw_fail "settings_probe $* ended with $status"
  printf '%s\n' "$out" | tr -d '\r'
}

settings_key_exists() {
  wine reg query "$QW_SETTINGS_KEY" >/dev/null 2>&1
}

# Everything under the settings key, one "name type data" line per value sorted by name, and
# one line per subkey; nothing when the key is missing.
settings_stored() {
  local listing
  listing=$(wine reg query "$QW_SETTINGS_KEY" 2>/dev/null | tr -d '\r') || return 0
  printf '%s\n' "$listing" | awk '
    NF == 0 { next }
    /^HKEY_/ { if (++headers > 1) print "subkey " $0; next }
    { print $1, $2, $3 }' | LC_ALL=C sort
}

# settings_store_value <name> <type> <data>: one value, written with Wine's reg command.
settings_store_value() {
  qw_reg add "$QW_SETTINGS_KEY" /v "$1" /t "$2" /d "$3" /f || qw_fail "reg add $1 $2 '$3'"
}

settings_delete_key() {
  qw_reg delete "$QW_SETTINGS_KEY" /f || true
}

# Six REG_DWORD lines, sorted as settings_stored prints them, for the numbers given in the
# stored order Color Glow Quantity Speed Size Symmetry.
settings_dword_listing() {
  printf 'Color REG_DWORD 0x%x\nGlow REG_DWORD 0x%x\nQuantity REG_DWORD 0x%x\n' "$1" "$2" "$3"
  printf 'Size REG_DWORD 0x%x\nSpeed REG_DWORD 0x%x\nSymmetry REG_DWORD 0x%x\n' "$5" "$4" "$6"
}
