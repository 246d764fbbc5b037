#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a while on its seed corpus.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (default: 20 seconds, every target)
# The seeds in fuzz/corpus stay as they are; what a run learns goes to build/fuzz/corpus, and a
# crash leaves its input in build/fuzz/artifacts. Run for hours with e.g. scripts/fuzz.sh 3600.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in build/fuzz/bin/*_fuzzer; do targets+=("$(basename "$t" _fuzzer)"); done
fi

mkdir -p build/fuzz/artifacts
status=0
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus"
    seeds=fuzz/corpus/$target
    [ -d "$seeds" ] || seeds=""
    echo "== $target for ${seconds}s"
    if ! build/fuzz/bin/${target}_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
        -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=build/fuzz/artifacts/${target}- "$corpus" $seeds 2>build/fuzz/$target.log; then
        status=1
        echo "   FAILED: see build/fuzz/$target.log and build/fuzz/artifacts"
        tail -30 build/fuzz/$target.log
    fi
    grep -E '^#[0-9]+ *DONE|^stat::number_of_executed_units|^stat::peak_rss_mb' build/fuzz/$target.log | sed 's/^/   /' || true
done
exit $status
