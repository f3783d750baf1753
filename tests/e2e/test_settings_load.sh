#!/usr/bin/env bash
# Loading the settings from the real registry: the defaults without a key (which loading must
# not create), values of every type and size, and the limits.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/settings_helpers.sh"
qw_start
wineserver -p  # one Wine server for the whole test, instead of one per command

qw_expect_eq "load without a key" "$QW_SETTINGS_DEFAULTS" "$(settings_probe load)"
settings_key_exists && qw_fail "loading created the settings key"

# One "Quantity" value at a time, whatever its type: data of up to 4 bytes is a little-endian
# number (short data zero-extended), larger data takes the default. Wine's reg command stores
# REG_SZ as text that the ANSI read returns with its terminating zero byte.
#   type        data                 loaded quantity
cases=(
  "REG_DWORD   29                   0.29"
  "REG_DWORD   0                    0"
  "REG_DWORD   100                  1"
  "REG_DWORD   101                  0.5"
  "REG_DWORD   4294967295           0.5"
  "REG_SZ      -                    0"
  "REG_SZ      7                    0.55"
  "REG_SZ      123                  0.5"
  "REG_SZ      1234                 0.5"
  "REG_BINARY  -                    0"
  "REG_BINARY  05                   0.05"
  "REG_BINARY  0a00                 0.1"
  "REG_BINARY  1e0000               0.3"
  "REG_BINARY  1e0001               0.5"
  "REG_BINARY  28000000             0.4"
  "REG_BINARY  28000080             0.5"
  "REG_BINARY  4b00000000           0.5"
  "REG_BINARY  4b0000000000         0.5"
  "REG_BINARY  4b000000000000       0.5"
  "REG_BINARY  4b00000000000000     0.5"
  "REG_QWORD   75                   0.5"
)
for c in "${cases[@]}"; do
  read -r type data quantity <<<"$c"
  [ "$data" = "-" ] && data=""
  settings_delete_key
  settings_store_value Quantity "$type" "$data"
  qw_expect_eq "Quantity as $type '$data'" \
    "quantity=$quantity size=0.5 speed=0.5 glow=2 color=6 symmetry=0" "$(settings_probe load)"
done

# A short value read after a full one does not pick up its bytes.
settings_delete_key
settings_store_value Glow REG_DWORD 0x01010101
settings_store_value Quantity REG_BINARY 05
qw_expect_eq "one byte after four" \
  "quantity=0.05 size=0.5 speed=0.5 glow=2 color=6 symmetry=0" "$(settings_probe load)"

# Only "Speed": the other five take their defaults.
settings_delete_key
settings_store_value Speed REG_DWORD 80
qw_expect_eq "only Speed" "quantity=0.5 size=0.5 speed=0.8 glow=2 color=6 symmetry=0" \
  "$(settings_probe load)"

# All bits set in every value: all defaults.
settings_delete_key
for name in Color Glow Quantity Speed Size Symmetry; do
  settings_store_value "$name" REG_DWORD 4294967295
done
qw_expect_eq "all bits set" "$QW_SETTINGS_DEFAULTS" "$(settings_probe load)"

# The limits, each value on its own, and the highest numbers that are kept.
settings_store_value Color REG_DWORD 7
settings_store_value Glow REG_DWORD 4
settings_store_value Symmetry REG_DWORD 2
qw_expect_eq "just above the limits" "$QW_SETTINGS_DEFAULTS" "$(settings_probe load)"
settings_store_value Color REG_DWORD 6
settings_store_value Glow REG_DWORD 3
settings_store_value Quantity REG_DWORD 100
settings_store_value Speed REG_DWORD 0
settings_store_value Size REG_DWORD 1
settings_store_value Symmetry REG_DWORD 1
qw_expect_eq "at the limits" "quantity=1 size=0.01 speed=0 glow=3 color=6 symmetry=1" \
  "$(settings_probe load)"
