#!/usr/bin/env bash
# compare.sh CLI DIR: runs corvane-cli and the reference model on every file of DIR with both
# methods and reports every difference of output or exit status.
set -u
cli=$1 dir=$2
here=$(cd "$(dirname "$0")" && pwd)
fail=0 n=0
for f in "$dir"/*; do
    for m in regress fuzzy; do
        n=$((n + 1))
        a=$("$cli" predict $m "$f" 2>&1; echo "status $?")
        b=$(CORVANE_CLI=$cli python3 "$here/reference.py" predict $m "$f" 2>&1; echo "status $?")
        if [ "$a" != "$b" ]; then
            fail=$((fail + 1))
            echo "differs: $m $f"
            diff <(echo "$a") <(echo "$b") | head -8
        fi
    done
done
echo "$n runs, $fail differ"
[ "$fail" -eq 0 ]
