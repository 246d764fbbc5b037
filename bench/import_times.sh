#!/usr/bin/env bash
# import_times.sh CLI [KENO_CSV] [RUNS]: times whole runs of `CLI import` on the Hungarian Keno
# download (Szerencsejáték's keno.csv: a BOM line, the header, 9,461 dated rows of 20 numbers
# newest first, then 653 rows without a date). Without KENO_CSV it times a file made here of
# that size and layout, the same on every machine. Prints the fastest and the median run, and
# those of `CLI name`, which only starts the program, for comparison on a busy machine.
#   bench/import_times.sh build/release/bin/corvane-cli
#   bench/import_times.sh build/release/bin/corvane-cli keno.csv 50
set -euo pipefail
cli=$1
source=${2:-}
runs=${3:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "$source" ]; then
    source=$work/keno.csv
    awk 'BEGIN {
        srand(1); seed = 4242
        printf "\357\273\277\r\n"
        printf "Year;Week;Day;Date"
        for (i = 1; i <= 20; i++) printf ";Nr%d", i
        printf "\r\n"
        # 9,461 days back from 2025-08-29, then the undated rows of the early weeks.
        split("31 28 31 30 31 30 31 31 30 31 30 31", days, " ")
        y = 2025; m = 8; d = 29
        for (row = 0; row < 9461 + 653; row++) {
            line = ""
            n = 0; delete used
            while (n < 20) {
                seed = (seed * 1103515245 + 12345) % 2147483648
                v = int(seed / 65536) % 80 + 1
                if (!(v in used)) { used[v] = 1; n++ }
            }
            k = 0
            for (v = 1; v <= 80; v++) if (v in used) line = line ";" v
            if (row < 9461) {
                printf "%d;%d;%d;%04d.%02d.%02d.%s\r\n", y, 1 + int(row / 7) % 52, 1 + row % 7, y, m, d, line
                d--
                if (d == 0) {
                    m--; if (m == 0) { m = 12; y-- }
                    leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0
                    d = days[m] + (m == 2 && leap)
                }
            } else {
                printf "1998;%d;;%s\r\n", 42 - int((row - 9461) / 7), line
            }
        }
    }' > "$source"
fi

rows=$("$cli" import "$source" 2>/dev/null | wc -l)
# Prints the fastest and the median of RUNS whole runs of the command line given.
time_runs() {
    local times=() start end
    # Bash's own clock: starting `date` around each run would add its start to the time.
    for _ in $(seq "$runs"); do
        start=${EPOCHREALTIME/[.,]/}
        "$@" >/dev/null 2>&1
        end=${EPOCHREALTIME/[.,]/}
        times+=($((end - start)))
    done
    local sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    printf 'fastest %.1f ms, median %.1f ms' "$(echo "${sorted[0]} / 1000" | bc -l)" \
        "$(echo "${sorted[$((runs / 2))]} / 1000" | bc -l)"
}
printf '%s: %d draws, %d bytes; %d runs: %s\n' "$(basename "$source")" "$rows" \
    "$(wc -c < "$source")" "$runs" "$(time_runs "$cli" import "$source")"
# What starting the program costs on this machine now, for comparison.
printf 'corvane-cli name (start only): %s\n' "$(time_runs "$cli" name ca649.txt)"
