#!/usr/bin/env bash
# Runs quellwire-trace as a user would: its exit statuses, the shape of its output, the cyclic
# use of the step list and the "- - - -" of an empty trail.
set -euo pipefail
trace=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
err=$(mktemp)
trap 'rm -f "$err"' EXIT

for args in "" "--seed" "--seed 1 --frames 1" "--seed 1 --frames 1 --step-us x" \
            "--seed 1 --frames 1 --step-us 1 --color 9" "--help"; do
  status=0
  # shellcheck disable=SC2086
  "$trace" $args >/dev/null 2>"$err" || status=$?
  [ "$status" -eq 2 ] || fail "'$args' gave status $status, not 2"
  [ "$(wc -l <"$err")" -eq 1 ] || fail "'$args' did not give one usage line"
  grep -q '^usage: quellwire-trace --seed N' "$err" || fail "no usage for '$args'"
done

out=$("$trace" --seed 7 --frames 3 --step-us 1000,2000 --quantity 0 --symmetry 1)
# 6 wires: per frame one scene, six wire and six trail lines; frames 0 to 3.
[ "$(grep -c '^scene ' <<<"$out")" -eq 4 ] || fail "scene lines"
[ "$(grep -c '^wire ' <<<"$out")" -eq 24 ] || fail "wire lines"
[ "$(grep -c '^trail ' <<<"$out")" -eq 24 ] || fail "trail lines"
awk '/^scene /{ if (NF != 12) exit 1 } /^wire /{ if (NF != 17) exit 1 }
     /^trail /{ if (NF != 14) exit 1 }' <<<"$out" || fail "field counts"
# Steps 1000, 2000, 1000: the start clock reads 0, 1000, 3000, 4000.
[ "$(awk '/^scene /{ printf "%s ", $11 }' <<<"$out")" = "0 1000 3000 4000 " ] || fail "steps"
grep -q '^trail 0 0 0 0 0 0 [^ ]* [^ ]* [^ ]* - - - -$' <<<"$out" || fail "empty trail"
# The same seed gives the same run; another seed another.
[ "$out" = "$("$trace" --seed 7 --frames 3 --step-us 1000,2000 --quantity 0 --symmetry 1)" ] ||
  fail "not repeatable"
[ "$out" != "$("$trace" --seed 8 --frames 3 --step-us 1000,2000 --quantity 0 --symmetry 1)" ] ||
  fail "seed ignored"
# One long step starts every wire, and their trails take their first points.
"$trace" --seed 7 --frames 1 --step-us 60000000 --quantity 0 --symmetry 1 |
  awk '$1 == "trail" && $2 == 1 { if ($4 != 1 || $5 != 1 || $14 != 0) exit 1 }' ||
  fail "long step"
echo "quellwire-trace behaves"
