#!/usr/bin/env bash
# Renders the program's pictures from their SVG sources in src/app/art with ImageMagick:
# the 23 x 23 toolbar pictures (and 46 x 46 for high-density screens), the application icon,
# and icon.ico, the small window icon shipped beside the executable. The results are committed;
# run this after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/../src/app"
command -v convert >/dev/null || { echo "make-icons.sh needs ImageMagick (convert)" >&2; exit 1; }
mkdir -p resources/toolbar resources/icons
for svg in art/*.svg; do
    name=$(basename "$svg" .svg)
    [ "$name" = corvane ] || [ "$name" = bulb ] && continue
    convert -background none -density 96 "$svg" -resize 23x23 "PNG32:resources/toolbar/$name.png"
    convert -background none -density 192 "$svg" -resize 46x46 "PNG32:resources/toolbar/$name@2x.png"
done
convert -background none -density 288 art/corvane.svg -resize 64x64 PNG32:resources/icons/corvane.png
convert -background none -density 288 art/corvane.svg -define icon:auto-resize=48,32,16 resources/icon.ico
# The tip of the day's light bulb, 40 x 53 and twice that; ImageMagick's own SVG renderer drops
# its gradients, so librsvg draws it.
command -v rsvg-convert >/dev/null || { echo "make-icons.sh needs rsvg-convert" >&2; exit 1; }
mkdir -p resources/tips
rsvg-convert -w 40 -h 53 art/bulb.svg -o resources/tips/bulb.png
rsvg-convert -w 80 -h 106 art/bulb.svg -o resources/tips/bulb@2x.png
echo "pictures written to src/app/resources"
