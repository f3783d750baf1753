#!/usr/bin/env bash
# Saving where the settings key cannot be opened for writing changes nothing: a key whose access
# list allows reading only, and a missing key that cannot be created because its parent is
# volatile. Wine keeps both conditions only while its server runs, so the server is kept
# running from each setup to its checks.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/settings_helpers.sh"
qw_start

# Missing key under a volatile "Software\Orvane": the non-volatile key cannot be created.
wineserver -p
settings_probe volatile-parent
settings_probe save 3 1 29 80 100 1 >/dev/null
settings_key_exists && qw_fail "the settings key was created under a volatile parent"
qw_expect_eq "load after a save that could not create the key" "$QW_SETTINGS_DEFAULTS" \
  "$(settings_probe load)"
wineserver -k
wineserver -w

# An existing key that may be read but not written.
wineserver -p
settings_probe save 4 0 10 20 30 1 >/dev/null
before=$(settings_stored)
qw_expect_eq "values before the key was locked" "$(settings_dword_listing 4 0 10 20 30 1)" "$before"
settings_probe deny-write
settings_probe save 3 1 29 80 100 0 >/dev/null
qw_expect_eq "values after a save into a locked key" "$before" "$(settings_stored)"
qw_expect_eq "load from a locked key" "quantity=0.1 size=0.3 speed=0.2 glow=0 color=4 symmetry=1" \
  "$(settings_probe load)"
