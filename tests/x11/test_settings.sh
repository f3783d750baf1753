#!/usr/bin/env bash
# The settings file: -save-settings writes the six values, the options override them for one
# run, a file read and saved again comes back unchanged, and bad values in the file or on the
# command line give a message and the default without stopping the saver.
source "$(dirname "$0")/lib.sh"
file="$XDG_CONFIG_HOME/quellwire/settings"

"$QW_QUELLWIRE" -wires 70 -length 20 -speed 90 -glow 1 -color amber -symmetry -save-settings >/dev/null
expected=$'Color=2\nGlow=1\nQuantity=70\nSpeed=90\nSize=20\nSymmetry=1'
[ "$(grep -v '^#' "$file")" = "$expected" ] || qw_fail "saved file: $(cat "$file")"

cp "$file" "$qw_tmp/first"
"$QW_QUELLWIRE" -save-settings >/dev/null
cmp -s "$file" "$qw_tmp/first" || qw_fail "the file changed when saved again: $(cat "$file")"

"$QW_QUELLWIRE" -speed 10 -no-symmetry -save-settings >/dev/null
[ "$(grep -v '^#' "$file")" = $'Color=2\nGlow=1\nQuantity=70\nSpeed=10\nSize=20\nSymmetry=0' ] ||
  qw_fail "options over the file: $(cat "$file")"

printf 'Color=9\nGlow=two\nQuantity=70\nBogus=1\n' >"$file"
"$QW_QUELLWIRE" -speed 300 -save-settings >/dev/null 2>"$qw_tmp/err"
cat "$qw_tmp/err"
grep -q 'line 1: Color "9" is outside 0 to 6; using the default 6' "$qw_tmp/err" || qw_fail "no message for Color=9"
grep -q 'line 2: Glow "two" is not a whole number' "$qw_tmp/err" || qw_fail "no message for Glow=two"
grep -q 'unknown setting "Bogus"' "$qw_tmp/err" || qw_fail "no message for Bogus"
grep -q -- '-speed "300" is outside 0 to 100; using the default 50' "$qw_tmp/err" || qw_fail "no message for -speed 300"
[ "$(grep -v '^#' "$file")" = $'Color=6\nGlow=2\nQuantity=70\nSpeed=50\nSize=50\nSymmetry=0' ] ||
  qw_fail "bad values did not take their defaults: $(cat "$file")"

qw_start_display
printf 'Glow=banana\n' >"$file"
qw_start_saver -frames 10 -wires nope
qw_expect_end "bad values at run time" 10
grep -q 'banana' "$qw_tmp/saver.err" && grep -q 'nope' "$qw_tmp/saver.err" ||
  qw_fail "run-time messages missing: $(cat "$qw_tmp/saver.err")"

status=0
"$QW_QUELLWIRE" -wires 2>/dev/null || status=$?
[ "$status" = 1 ] || qw_fail "a missing option value should end with 1, got $status"
