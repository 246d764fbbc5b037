#!/usr/bin/env bash
# Builds the program and starts it on the shipped Canada 6/49 history, from the build's output
# folder, where icon.ico, the help file corvh.hlp, tips.txt and the data files lie beside the
# executable.
#
# Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) it runs the program under
# xvfb-run, a virtual X server: it starts and runs, but nobody sees it; press Ctrl+C to end it.
# scripts/screenshot.sh takes a picture of the window that way.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target corvane blank_histories
cd build/release/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: running Corvane under xvfb-run (invisible; Ctrl+C ends it)."
    echo "To see the window, run scripts/screenshot.sh, or from a desktop: ./scripts/run.sh"
    exec xvfb-run -a -s "-screen 0 1024x768x24" ./corvane
fi
exec ./corvane
