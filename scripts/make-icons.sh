#!/usr/bin/env bash
# Renders the program's pictures from their SVG sources in src/app/art with ImageMagick:
# the 23 x 23 toolbar pictures (and 46 x 46 for high-density screens), the application icon,
# icon.ico, the small window icon shipped beside the executable, and the about box's picture
# (579 x 458, and twice that for high-density screens, 24 bits a pixel on white). The results are
# committed; run this after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/../src/app"
command -v convert >/dev/null || { echo "make-icons.sh needs ImageMagick (convert)" >&2; exit 1; }
command -v rsvg-convert >/dev/null || { echo "make-icons.sh needs rsvg-convert (librsvg2-bin)" >&2; exit 1; }
mkdir -p resources/toolbar resources/icons resources/about
for svg in art/*.svg; do
    name=$(basename "$svg" .svg)
    [ "$name" = corvane ] && continue
    [ "$name" = about ] && continue
    convert -background none -density 96 "$svg" -resize 23x23 "PNG32:resources/toolbar/$name.png"
    convert -background none -density 192 "$svg" -resize 46x46 "PNG32:resources/toolbar/$name@2x.png"
done
convert -background none -density 288 art/corvane.svg -resize 64x64 PNG32:resources/icons/corvane.png
convert -background none -density 288 art/corvane.svg -define icon:auto-resize=48,32,16 resources/icon.ico
for scale in 1 2; do
    suffix=""
    [ $scale = 2 ] && suffix="@2x"
    rsvg-convert -w $((579 * scale)) -h $((458 * scale)) -b white art/about.svg \
        | convert - -background white -flatten -alpha off "PNG24:resources/about/about$suffix.png"
done
echo "pictures written to src/app/resources"
