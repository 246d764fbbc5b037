#!/usr/bin/env bash
# Renders the program's pictures from their SVG sources in src/app/art with rsvg-convert
# (librsvg2-bin), and icon.ico with ImageMagick:
# the 23 x 23 toolbar pictures (and 46 x 46 for high-density screens), the application icon at
# 64 x 64 and twice that, and icon.ico, the small window icon shipped beside the executable, at
# 16, 32, 48 and 64 pixels (the last two for screens of twice the density), and the about box's
# picture (579 x 458 and twice that, 24 bits a pixel on white). The results are committed; run
# this after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/../src/app"
for tool in rsvg-convert convert; do
    command -v $tool >/dev/null || { echo "make-icons.sh needs $tool (librsvg2-bin, imagemagick)" >&2; exit 1; }
done
mkdir -p resources/toolbar resources/icons
for svg in art/*.svg; do
    name=$(basename "$svg" .svg)
    { [ "$name" = corvane ] || [ "$name" = bulb ] || [ "$name" = ball ] || [ "$name" = about ]; } && continue
    rsvg-convert -w 23 -h 23 "$svg" -o "resources/toolbar/$name.png"
    rsvg-convert -w 46 -h 46 "$svg" -o "resources/toolbar/$name@2x.png"
done
rsvg-convert -w 64 -h 64 art/corvane.svg -o resources/icons/corvane.png
rsvg-convert -w 128 -h 128 art/corvane.svg -o resources/icons/corvane@2x.png
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 64 48 32 16; do
    rsvg-convert -w $size -h $size art/corvane.svg -o "$tmp/$size.png"
done
convert "$tmp/64.png" "$tmp/48.png" "$tmp/32.png" "$tmp/16.png" resources/icon.ico
# The tip of the day's light bulb, 40 x 53 and twice that; ImageMagick's own SVG renderer drops
# its gradients, so librsvg draws it.
command -v rsvg-convert >/dev/null || { echo "make-icons.sh needs rsvg-convert" >&2; exit 1; }
mkdir -p resources/tips
rsvg-convert -w 40 -h 53 art/bulb.svg -o resources/tips/bulb.png
rsvg-convert -w 80 -h 106 art/bulb.svg -o resources/tips/bulb@2x.png
# The distribution chart's ball, 26 x 26 and twice that.
mkdir -p resources/chart
rsvg-convert -w 26 -h 26 art/ball.svg -o resources/chart/ball.png
rsvg-convert -w 52 -h 52 art/ball.svg -o resources/chart/ball@2x.png
# The about box's picture.
mkdir -p resources/about
for scale in 1 2; do
    suffix=""
    [ $scale = 2 ] && suffix="@2x"
    rsvg-convert -w $((579 * scale)) -h $((458 * scale)) -b white art/about.svg \
        | convert - -background white -flatten -alpha off "PNG24:resources/about/about$suffix.png"
done
echo "pictures written to src/app/resources"
