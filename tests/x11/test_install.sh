#!/usr/bin/env bash
# `cmake --install` puts quellwire where xscreensaver looks for its hacks and quellwire.xml
# beside the other hacks' settings descriptions, under the prefix given, with a link on the PATH
# and a manual page that man reads without a warning; the installed program runs and the
# description is well-formed and names the options the program takes.
source "$(dirname "$0")/lib.sh"
: "${QW_BUILD_DIR:?the build folder}"
root="$qw_tmp/root"

DESTDIR="$root" cmake --install "$QW_BUILD_DIR" --prefix /usr >/dev/null
program="$root/usr/libexec/xscreensaver/quellwire"
xml="$root/usr/share/xscreensaver/config/quellwire.xml"
[ -x "$program" ] || qw_fail "no program at $program"
[ -f "$xml" ] || qw_fail "no description at $xml"
manual="$root/usr/share/man/man6/quellwire.6.gz"
[ -f "$manual" ] && [ -z "$(man --warnings -l "$manual" 2>&1 >/dev/null)" ] ||
  qw_fail "no manual page at $manual, or man warns: $(man --warnings -l "$manual" 2>&1 >/dev/null)"
"$root/usr/bin/quellwire" -help | grep -q -- "-wires" || qw_fail "the program on the PATH does not run"

DESTDIR="$root" cmake --install "$QW_BUILD_DIR" --prefix /opt/qw >/dev/null
[ -x "$root/opt/qw/libexec/xscreensaver/quellwire" ] && [ -x "$root/opt/qw/bin/quellwire" ] ||
  qw_fail "the prefix was not followed"

# Every option the description passes must be one the program accepts with a valid value.
python3 - "$xml" >"$qw_tmp/arguments" <<'PY'
import sys, xml.dom.minidom
doc = xml.dom.minidom.parse(sys.argv[1])
top = doc.documentElement
assert top.tagName == "screensaver" and top.getAttribute("name") == "quellwire"
for element in top.getElementsByTagName("*"):
    for attribute in ("arg", "arg-set"):
        value = element.getAttribute(attribute)
        if value:
            print(value.replace("%", element.getAttribute("default") or "0"))
PY
while read -r arguments; do
  # shellcheck disable=SC2086
  "$program" $arguments -save-settings >/dev/null 2>"$qw_tmp/err" ||
    qw_fail "the program refused '$arguments': $(cat "$qw_tmp/err")"
  [ ! -s "$qw_tmp/err" ] || qw_fail "'$arguments' gave: $(cat "$qw_tmp/err")"
done <"$qw_tmp/arguments"
qw_log "$(wc -l <"$qw_tmp/arguments") options of the description accepted"
