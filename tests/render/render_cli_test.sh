#!/usr/bin/env bash
# Runs quellwire-render as a user would: bad command lines, the final frame and every K-th frame
# written as PNG files of the asked size, and the same seed giving the same picture.
set -euo pipefail
render=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

for args in "--seed" "--glow 4" "--width 0" "--height 9000" "--output x.jpg" "--time-ms -1" \
            "--help"; do
  status=0
  # shellcheck disable=SC2086
  "$render" $args >/dev/null 2>"$dir/err" || status=$?
  [ "$status" -eq 2 ] || fail "'$args' gave status $status, not 2"
  grep -q '^usage: quellwire-render ' "$dir/err" || fail "no usage for '$args'"
done

# png_size <file>: "width height" from the PNG header.
png_size() {
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$1 is no PNG"
  local hex
  hex=$(od -An -j16 -N8 -tx1 "$1" | tr -d ' \n')
  echo "$((16#${hex:0:8})) $((16#${hex:8:8}))"
}

# 50 frames of 10 ms; frames 20 and 40 written besides the last.
"$render" --seed 5 --time-ms 509 --every 20 --width 96 --height 64 --quantity 0 \
  --output "$dir/f.png" || fail "render run"
[ "$(png_size "$dir/f.png")" = "96 64" ] || fail "final frame size"
for n in 20 40; do
  [ "$(png_size "$dir/f-0000$n.png")" = "96 64" ] || fail "frame $n"
done
[ "$(find "$dir" -name 'f-*.png' | wc -l)" -eq 2 ] || fail "frames other than 20 and 40"
[ "$(convert "$dir/f.png" -format '%[fx:maxima]' info:)" != 0 ] || fail "the picture is black"

"$render" --seed 5 --time-ms 500 --width 96 --height 64 --quantity 0 --output "$dir/g.png"
cmp -s "$dir/f.png" "$dir/g.png" || fail "the same seed drew another picture"
echo "quellwire-render command line: ok"
