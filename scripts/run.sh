#!/usr/bin/env bash
# Builds the program and starts it on the shipped Canada 6/49 history, in the folder of the
# executables: the data files, the help, icon.ico and tips.txt are found there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
cd build/release/bin
exec ./corvane
