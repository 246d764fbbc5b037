#!/usr/bin/env bash
# Takes a screenshot of the real main window on the shipped Canada 6/49 history: the scene
# main-window of scripts/screenshots.sh, saved as docs/screenshots/main-window.png (or the file
# given).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshots/main-window.png}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
scripts/screenshots.sh --out "$tmp" main-window
mkdir -p "$(dirname "$out")"
mv "$tmp/main-window.png" "$out"
echo "saved $out"
