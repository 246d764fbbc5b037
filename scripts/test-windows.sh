#!/usr/bin/env bash
# Cross-builds the core, the command line and the core tests for Windows with mingw-w64 and runs
# them under Wine; then checks that the Windows command line prints exactly what the Linux one
# prints on the shipped history. Needs the debug build's corvane-cli (scripts/test.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# One prefix, made before anything else runs Wine, and one server for the whole run: test
# discovery hangs when many Wine processes race to set them up.
wineserver -p
wineboot -i >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1 || true

cmake --preset windows-core >/dev/null
cmake --build --preset windows-core
# Wine now and then fails to start a process, which then prints nothing and fails at once; a
# second start tells that apart from a test that fails, which fails every time.
ctest --preset windows-core --repeat until-pass:3

echo "== the Windows command line against the Linux one"
commands=(
    "predict regress ca649.txt"
    "predict fuzzy ca649.txt"
    "predict regress brnl.txt"
    "predict fuzzy ny3.txt"
    "predict fuzzy pb545.txt"
    "predict regress mm552.txt"
    "predict fuzzy missing.txt"
    "freq ca649.txt 02-1-5 25-11-5"
    "freq brnl.txt 15-10-10 26-8-19 --all"
    "backtest fuzzy ca649.txt --numbers 6 --draws 50"
    "catalogue"
    "name PB545.TXT"
)
status=0
for command in "${commands[@]}"; do
    want=$(cd build/debug/bin && { ./corvane-cli $command 2>&1; echo "exit $?"; } | od -c)
    got=$(cd build/windows-core/bin && { wine ./corvane-cli.exe $command 2>&1; echo "exit $?"; } | od -c)
    if [ "$want" == "$got" ]; then
        echo "same: corvane-cli $command"
    else
        echo "DIFFERENT: corvane-cli $command"
        status=1
    fi
done
exit $status
