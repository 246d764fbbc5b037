#!/usr/bin/env bash
# Runs a program of the Windows cross build under Wine (CTest's emulator for that build).
# scripts/test-windows.sh makes the prefix and keeps one wineserver alive for the whole run.
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/corvane-wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
exec wine "$@"
