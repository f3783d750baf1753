#!/usr/bin/env bash
# The settings file: -save-settings writes the six values, the options override them for one
# run, a file read and saved again comes back unchanged, and bad values in the file or on the
# command line give a short message and the default without stopping the saver. A file that
# cannot be read whole, or is not a regular file, is never replaced and never blocks the saver.
source "$(dirname "$0")/lib.sh"
file="$XDG_CONFIG_HOME/quellwire/settings"

# qw_refused <what> <message> [command...]: -save-settings (run by the command, if given) must
# end with 1 and say <message>, leaving the file as it was.
qw_refused() {
  local what=$1 message=$2 status=0 before
  shift 2
  before=$(stat -c '%F %a %i %s %y' "$file")
  [ ! -f "$file" ] || [ ! -r "$file" ] || cp "$file" "$qw_tmp/before"
  timeout 10 "$@" "$QW_QUELLWIRE" -wires 70 -save-settings >/dev/null 2>"$qw_tmp/err" || status=$?
  [ "$status" = 1 ] || qw_fail "$what: -save-settings should end with 1, got $status: $(cat "$qw_tmp/err")"
  grep -q -- "$message" "$qw_tmp/err" || qw_fail "$what: no message '$message': $(cat "$qw_tmp/err")"
  grep -q 'not saved' "$qw_tmp/err" || qw_fail "$what: no refusal: $(cat "$qw_tmp/err")"
  [ "$(stat -c '%F %a %i %s %y' "$file")" = "$before" ] || qw_fail "$what: the file was replaced or changed"
  if [ -f "$qw_tmp/before" ]; then
    cmp -s "$file" "$qw_tmp/before" || qw_fail "$what: the file was changed"
    rm "$qw_tmp/before"
  fi
  [ "$(ls "$XDG_CONFIG_HOME/quellwire")" = settings ] ||
    qw_fail "$what: files left behind: $(ls "$XDG_CONFIG_HOME/quellwire")"
  qw_log "$what: refused, file kept"
}

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

# A byte-order mark and names in any case are accepted; the file's permissions are kept.
printf '\xef\xbb\xbfquantity=30\nGLOW=1\n' >"$file"
chmod 600 "$file"
"$QW_QUELLWIRE" -save-settings >/dev/null 2>"$qw_tmp/err"
[ ! -s "$qw_tmp/err" ] || qw_fail "messages for a valid file: $(cat "$qw_tmp/err")"
[ "$(grep -v '^#' "$file")" = $'Color=6\nGlow=1\nQuantity=30\nSpeed=50\nSize=50\nSymmetry=0' ] ||
  qw_fail "byte-order mark or case: $(cat "$file")"
[ "$(stat -c %a "$file")" = 600 ] || qw_fail "permissions not kept: $(stat -c %a "$file")"

# Messages quote a short prefix, escaped: no 70 KB and no terminal control on standard error.
long=$'\e[2J'$(head -c 70000 /dev/zero | tr '\0' 7)
"$QW_QUELLWIRE" -speed "$long" -save-settings >/dev/null 2>"$qw_tmp/err"
[ "$(wc -c <"$qw_tmp/err")" -lt 200 ] || qw_fail "a long value put $(wc -c <"$qw_tmp/err") bytes on stderr"
grep -q '"\\x1B\[2J7777.*"\.\.\. (70004 bytes) is not a whole number' "$qw_tmp/err" &&
  ! grep -q $'\e' "$qw_tmp/err" || qw_fail "long value quoted wrongly: $(cat "$qw_tmp/err")"

status=0
"$QW_QUELLWIRE" -wires -fps -save-settings >/dev/null 2>"$qw_tmp/err" || status=$?
[ "$status" = 1 ] && grep -q -- '-wires needs a value, not the option "-fps"' "$qw_tmp/err" ||
  qw_fail "-wires -fps: $status $(head -1 "$qw_tmp/err")"

# Over the cap (which cuts "Quantity=100" after "Quantity=10"): reported, the file kept.
python3 -c 'import sys
head = "Quantity=30\n" + "#" * (65536 - 12 - 12) + "\n"
sys.stdout.write(head + "Quantity=100\nSpeed=1\n")' >"$file"
qw_refused "a file over 64 KiB" 'larger than 64 KiB; only its first 2 lines are used'
[ "$(wc -c <"$qw_tmp/err")" -lt 500 ] || qw_fail "too much said about a large file: $(cat "$qw_tmp/err")"

# Not a regular file: reported at once (a FIFO must not block), never replaced.
rm "$file"
mkfifo "$file"
qw_refused "a FIFO" 'is a FIFO, not a settings file; using the defaults'
rm "$file"
mkdir "$file"
qw_refused "a folder" 'is a folder, not a settings file'
rmdir "$file"

# A file its user cannot read (root reads anything, so that case runs as nobody).
printf 'Quantity=30\n' >"$file"
chmod 000 "$file"
if [ "$(id -u)" = 0 ]; then
  chmod 711 "$qw_tmp"
  chown -R nobody "$XDG_CONFIG_HOME"
  qw_refused "an unreadable file" 'cannot read .*Permission denied' setpriv --reuid=nobody --regid=nogroup --clear-groups
else
  qw_refused "an unreadable file" 'cannot read .*Permission denied'
fi
rm -f "$file"

qw_start_display
mkfifo "$file"
qw_start_saver -frames 10
qw_expect_end "a FIFO at the settings path at run time" 10
grep -q 'is a FIFO' "$qw_tmp/saver.err" || qw_fail "no message for a FIFO: $(cat "$qw_tmp/saver.err")"
rm "$file"

printf 'Glow=banana\n' >"$file"
qw_start_saver -frames 10 -wires nope
qw_expect_end "bad values at run time" 10
grep -q 'banana' "$qw_tmp/saver.err" && grep -q 'nope' "$qw_tmp/saver.err" ||
  qw_fail "run-time messages missing: $(cat "$qw_tmp/saver.err")"

status=0
"$QW_QUELLWIRE" -wires 2>/dev/null || status=$?
[ "$status" = 1 ] || qw_fail "a missing option value should end with 1, got $status"
