#!/usr/bin/env bash
# Redraws lantuo-serial.ico from scratch with ImageMagick: a magnifying glass on a blue
# rounded square, drawn large and scaled down to the 16, 32 and 48 pixel images.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
convert=/usr/bin/convert  # ImageMagick's own, whatever else is first on PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$convert" -size 256x256 xc:none \
  -fill '#1F5FAF' -draw 'roundrectangle 8,8 247,247 44,44' \
  -fill none -stroke white -strokewidth 24 -draw 'circle 112,112 112,178' \
  -stroke white -strokewidth 34 -draw 'line 162,162 206,206' \
  -strip "$work/mark.png"
for size in 16 32 48; do
  "$convert" "$work/mark.png" -filter Lanczos -resize "${size}x${size}" -strip "PNG32:$work/$size.png"
done
"$convert" "$work/16.png" "$work/32.png" "$work/48.png" -strip lantuo-serial.ico
