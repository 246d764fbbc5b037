#!/bin/sh
# Every command whose standard output goes to a full disk must fail (status 1, a message), and a
# command that succeeds with a writable output must still exit 0.
# usage: output_failure_test.sh CORVANE_CLI PROJECT_DIR
set -u
cli=$1
data=$2/data/ca649.txt
samples=$2/tests/data/importer
failures=0

expect() { # expect STATUS COMMAND... (standard output to /dev/full)
    want=$1
    shift
    "$@" >/dev/full 2>/tmp/corvane-output-test.$$
    got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: $* > /dev/full exited $got, not $want"
        failures=$((failures + 1))
    elif [ "$want" -eq 1 ] && ! grep -q "could not be written" /tmp/corvane-output-test.$$; then
        echo "FAIL: $* > /dev/full gave no message"
        failures=$((failures + 1))
    fi
}

tickets=$(mktemp)
printf '1 2 3 4 5 6\n' >"$tickets"

expect 1 "$cli" catalogue
expect 1 "$cli" predict regress "$data"
expect 1 "$cli" report "$data"
expect 1 "$cli" report "$data" --json
expect 1 "$cli" check "$data" "$tickets"
expect 1 "$cli" backtest fuzzy "$data" --draws 20 --csv
expect 1 "$cli" blank az535.txt
expect 1 "$cli" import "$samples/hungary-otoslotto.csv"
expect 1 "$cli" name ca649.txt
# A wrong command line keeps its own status.
expect 2 "$cli" report

# The same commands to a pipe that reads everything succeed.
if ! "$cli" catalogue | cat >/dev/null; then
    echo "FAIL: catalogue to a pipe failed"
    failures=$((failures + 1))
fi

rm -f "$tickets" /tmp/corvane-output-test.$$
[ "$failures" -eq 0 ] && echo "all commands failed on a full disk"
exit "$failures"
