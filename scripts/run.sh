#!/usr/bin/env bash
# Builds the program and starts it on the shipped Canada 6/49 history.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
cd build/release/bin
exec ./corvane-cli predict regress ca649.txt
