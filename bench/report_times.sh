#!/usr/bin/env bash
# report_times.sh CLI [WORKDIR]: times whole runs of `corvane-cli report` (text, --json and
# --html) on made-up histories: Keno 9,461 draws of 20 of 80, 6/49 of 5,000 draws, and a 6/49
# history of 1,000,000 lines; then on the shipped histories. Prints seconds and peak memory.
#   bench/report_times.sh build/release/bin/corvane-cli
set -euo pipefail
cli=$1
work=${2:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"

python3 - "$work" <<'PY'
import random, sys
work = sys.argv[1]
for name, count, k, m in (("keno9461", 9461, 20, 80), ("l649x5000", 5000, 6, 49),
                          ("million", 1000000, 6, 49)):
    rng = random.Random(count)
    with open(f"{work}/{name}.txt", "w", newline="") as f:
        for i in range(count):
            y, d = divmod(i, 360)
            key = (1000 + y) * 10000 + (d // 30 + 1) * 100 + d % 30 + 1
            f.write(f"{key} {' '.join(map(str, rng.sample(range(1, m + 1), k)))}\r\n")
PY

histories=("$work/keno9461.txt" "$work/l649x5000.txt" "$work/million.txt")
for f in "$here"/../data/*.txt; do
    [ "$(basename "$f")" = CMakeLists.txt ] || histories+=("$f")
done
for history in "${histories[@]}"; do
    for form in text json html; do
        case $form in
        text) args=() ;;
        json) args=(--json) ;;
        html) args=(--html "$work/page.html") ;;
        esac
        /usr/bin/time -f "%e %M" -o "$work/time" "$cli" report "$history" "${args[@]}" >/dev/null
        read -r seconds kilobytes <"$work/time"
        printf '%-16s %-5s %6.2f s %7d KB\n' "$(basename "$history")" "$form" "$seconds" "$kilobytes"
    done
done
