#!/usr/bin/env bash
# Saving the settings to the real registry: a missing key is created and holds exactly the six
# REG_DWORD values, values of another type are replaced, and loading then saving writes back
# every whole percentage unchanged.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/settings_helpers.sh"
qw_start
wineserver -p  # one Wine server for the whole test, instead of one per command

settings_key_exists && qw_fail "the settings key exists before the test"
settings_probe save 3 1 29 80 100 1 >/dev/null
qw_expect_eq "values after saving into a missing key" \
  "$(settings_dword_listing 3 1 29 80 100 1)" "$(settings_stored)"
qw_expect_eq "load after save" "quantity=0.29 size=1 speed=0.8 glow=1 color=3 symmetry=1" \
  "$(settings_probe load)"

# Values of other types are loaded as numbers and written back as REG_DWORD.
settings_delete_key
settings_store_value Color REG_SZ 3          # "3" and a zero byte: 51, out of range
settings_store_value Glow REG_BINARY 01      # 1
settings_store_value Quantity REG_QWORD 20   # eight bytes: default
settings_store_value Speed REG_BINARY 4b00   # 75
settings_probe load-save >/dev/null
qw_expect_eq "values of other types saved back" \
  "$(settings_dword_listing 6 1 50 75 50 0)" "$(settings_stored)"

# Every whole percentage, each once in one of the three fractions, survives load and save.
for low in $(seq 0 33); do
  quantity=$low speed=$((low + 34)) size=$((low + 67))
  [ "$size" -le 100 ] || size=100
  settings_delete_key
  settings_store_value Quantity REG_DWORD "$quantity"
  settings_store_value Speed REG_DWORD "$speed"
  settings_store_value Size REG_DWORD "$size"
  settings_probe load-save >/dev/null
  qw_expect_eq "load and save of $quantity, $speed, $size" \
    "$(settings_dword_listing 6 2 "$quantity" "$speed" "$size" 0)" "$(settings_stored)"
done
