#!/usr/bin/env bash
# quellwire-render as a user runs it: bad command lines, the final and every K-th frame as PNG
# files of the asked size, and the same seed giving the same picture, with either renderer.
set -euo pipefail
render=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

for args in "--seed" "--glow 4" "--width 0" "--height 9000" "--output x.jpg" "--help" \
  "--renderer vk"; do
  status=0
  # shellcheck disable=SC2086
  "$render" $args >/dev/null 2>"$dir/err" || status=$?
  [ "$status" -eq 2 ] && grep -q '^usage: quellwire-render ' "$dir/err" || fail "'$args'"
done

size() { identify -format '%w %h' "$1"; }
# 50 frames of 10 ms; frames 20 and 40 are written besides the last.
"$render" --seed 5 --time-ms 509 --every 20 --width 96 --height 64 --output "$dir/f.png"
[ "$(size "$dir/f.png") $(size "$dir/f-000020.png") $(size "$dir/f-000040.png")" = \
  "96 64 96 64 96 64" ] || fail "frame files"
[ "$(find "$dir" -name '*.png' | wc -l)" -eq 3 ] || fail "other frames written"
[ "$(convert "$dir/f.png" -format '%[fx:maxima]' info:)" != 0 ] || fail "the picture is black"
"$render" --seed 5 --time-ms 500 --width 96 --height 64 --output "$dir/g.png"
cmp -s "$dir/f.png" "$dir/g.png" || fail "the same seed drew another picture"
# The ES renderer draws the same scene, not black, and as often the same picture.
"$render" --seed 5 --time-ms 500 --width 96 --height 64 --renderer es --output "$dir/e.png"
"$render" --seed 5 --time-ms 500 --width 96 --height 64 --renderer es --output "$dir/e2.png"
[ "$(size "$dir/e.png")" = "96 64" ] || fail "ES picture size"
[ "$(convert "$dir/e.png" -format '%[fx:maxima]' info:)" != 0 ] || fail "the ES picture is black"
cmp -s "$dir/e.png" "$dir/e2.png" || fail "the same seed drew another ES picture"
