#!/usr/bin/env bash
# Builds everything and runs every test: the format check, the debug build with warnings as
# errors and its tests, the tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the
# core's tests cross-built for Windows and run under Wine, and the release build's packages
# installed, started and removed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

echo "== format"
scripts/check-format.sh

echo "== debug build and tests"
cmake --preset debug >/dev/null
cmake --build --preset debug
ctest --preset debug

echo "== sanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

echo "== fuzz smoke: every libFuzzer target for a short while"
scripts/fuzz.sh 20

echo "== Windows build of the core and its tests, under Wine"
scripts/test-windows.sh

echo "== packages: portable folder, .tar.gz and .deb installed, started and removed"
scripts/test-package.sh

echo "== all tests passed"
