#!/usr/bin/env bash
# Draws the saver's icon, quellwire.ico: three glowing wires sweeping across black in the
# Emerald, Lapis and Amber colours, each fading in along its length, at 48, 32 and 16 pixels.
# Needs ImageMagick. Usage: bash resources/make-icon.sh   (rewrites resources/quellwire.ico)
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw-commands <scale> <r> <g> <b> <x0> <y0> <x1> <y1> <x2> <y2> <x3> <y3>: one cubic curve in a
# 256-unit square as short line segments, dim at its tail and bright at its head.
draw_commands() {
  awk -v s="$1" -v r="$2" -v g="$3" -v b="$4" \
      -v x0="$5" -v y0="$6" -v x1="$7" -v y1="$8" -v x2="$9" -v y2="${10}" \
      -v x3="${11}" -v y3="${12}" 'BEGIN {
    n = 48
    for (i = 0; i <= n; i++) {
      t = i / n; u = 1 - t
      x = (u*u*u*x0 + 3*u*u*t*x1 + 3*u*t*t*x2 + t*t*t*x3) * s
      y = (u*u*u*y0 + 3*u*u*t*y1 + 3*u*t*t*y2 + t*t*t*y3) * s
      if (i > 0) {
        f = 0.25 + 0.75 * t
        printf "stroke rgb(%d,%d,%d) line %.2f,%.2f %.2f,%.2f ", r*f, g*f, b*f, px, py, x, y
      }
      px = x; py = y
    }
  }'
}

# One size: the wires are drawn at four times the size with a blurred halo, then scaled down, so
# that even the 16-pixel image keeps its glow.
draw() {
  local size=$1 big=$(( $1 * 4 ))
  local scale width blur
  scale=$(awk -v b="$big" 'BEGIN { print b / 256 }')
  width=$(awk -v s="$scale" -v n="$size" 'BEGIN { print (n <= 16 ? 16 : 9) * s }')
  blur=$(awk -v s="$scale" 'BEGIN { print 12 * s }')
  local commands="stroke-linecap round "
  commands+=$(draw_commands "$scale" 115 255 64 16 210 70 30 180 250 238 56)
  commands+=$(draw_commands "$scale" 102 230 255 20 100 110 250 150 0 236 160)
  commands+=$(draw_commands "$scale" 255 204 89 56 24 30 160 230 110 186 236)
  convert -size "${big}x${big}" xc:black -fill none -strokewidth "$width" -draw "$commands" \
    \( +clone -blur "0x$blur" -evaluate multiply 2.5 \) -compose screen -composite \
    -filter Lanczos -resize "${size}x${size}" -depth 8 "$work/icon-$size.png"
}

for size in 48 32 16; do draw "$size"; done
convert "$work/icon-48.png" "$work/icon-32.png" "$work/icon-16.png" quellwire.ico
identify quellwire.ico
