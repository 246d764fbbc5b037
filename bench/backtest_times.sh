#!/usr/bin/env bash
# backtest_times.sh CLI FILE [ARGS...] ... : times whole backtest runs of both methods.
# Each argument is one history with its options, quoted, e.g.
#   bench/backtest_times.sh build/release/bin/corvane-cli "data/ca649.txt --numbers 6"
# prints, per method, history and --draws 200/1000: mean hits, random mean, z, p, seconds.
set -euo pipefail
cli=$1
shift
for history in "$@"; do
    for method in regress fuzzy; do
        for draws in 200 1000; do
            start=$(date +%s.%N)
            # shellcheck disable=SC2086
            report=$("$cli" backtest "$method" $history --draws "$draws")
            end=$(date +%s.%N)
            tested=$(sed -n 's/^Tested draws: the last \([0-9]*\) .*/\1/p' <<<"$report")
            hits=$(sed -n 's/^Mean hits per draw: *\([0-9.]*\) .*: \([0-9.]*\))$/\1 \2/p' <<<"$report")
            zp=$(sed -n 's/^Difference from random play: z = \([-0-9.]*\), two-sided p = \(.*\)$/\1 \2/p' \
                <<<"$report")
            printf '%-8s %-28s N=%-5s hits/random %s  z/p %s  %.2fs\n' "$method" "$history" \
                "$tested" "$hits" "$zp" "$(echo "$end - $start" | bc)"
        done
    done
done
