#!/usr/bin/env bash
# Takes the README's picture of the report page: builds corvane-cli (release preset), writes the
# page of the shipped UK Lotto history and has headless Chromium (Debian's chromium package)
# photograph its top as docs/screenshots/report.png.
#
#   scripts/report-screenshot.sh [--scale N] [--out FILE] [HISTORY]
set -euo pipefail
cd "$(dirname "$0")/.."

scale=1
out=docs/screenshots/report.png
history=data/brnl.txt
while [ $# -gt 0 ]; do
    case $1 in
    --scale) scale=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    -*) echo "usage: $0 [--scale N] [--out FILE] [HISTORY]" >&2; exit 2 ;;
    *) history=$1; shift ;;
    esac
done

cmake --preset release >/dev/null
cmake --build --preset release --target corvane-cli >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/release/bin/corvane-cli report "$history" --html "$work/report.html" >/dev/null
mkdir -p "$work/profile"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
    --user-data-dir="$work/profile" --window-size=1000,1500 --force-device-scale-factor="$scale" \
    --screenshot="$work/report.png" "file://$work/report.html" >/dev/null 2>&1
mkdir -p "$(dirname "$out")"
cp "$work/report.png" "$out"
echo "$out"
