#!/usr/bin/env bash
# differential.sh CLI WORKDIR COUNT SEED: writes COUNT adversarial data files and checks the
# command line (both methods and freq) against the reference model on each of them and on the
# shipped histories.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=$1 work=$2 count=$3 seed=$4
rm -rf "$work"
python3 "$here/generate.py" "$work" "$count" "$seed"
cp "$here/../../data/"*.txt "$work/"
"$here/compare.sh" "$cli" "$work"
python3 "$here/compare_freq.py" "$cli" 4 "$seed" "$work"
