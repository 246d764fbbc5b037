#!/usr/bin/env bash
# Takes a screenshot of the real main window: builds the program, starts it on the shipped
# Canada 6/49 history under Xvfb with a small window manager (so the caption shows), and saves
# the screen as docs/screenshots/main-window.png (or the file given).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshots/main-window.png}")
scripts/install-deps.sh screenshot
cmake --preset release >/dev/null
cmake --build --preset release --target corvane
mkdir -p "$(dirname "$out")"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 820x700x24 -nolisten tcp &
xvfb=$!
trap 'kill $app $wm $xvfb 2>/dev/null || true' EXIT
app=""
wm=""
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1
(cd build/release/bin && DISPLAY=$display exec ./corvane) >/dev/null 2>&1 &
app=$!
sleep 3
DISPLAY=$display import -window root "$out"
echo "saved $out"
