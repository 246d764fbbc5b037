#!/usr/bin/env bash
# differential.sh CLI WORKDIR COUNT SEED: writes COUNT adversarial data files and checks the
# command line (both methods and freq) against the reference model on each of them and on a
# sample of the shipped histories: the long and short ones, a digit game, a 20-number game, a
# matrix change and two draws a day (all of them would take the model many minutes).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=$1 work=$2 count=$3 seed=$4
rm -rf "$work"
python3 "$here/generate.py" "$work" "$count" "$seed"
for f in ca649 brnl ny3 pb545 mm552 nykeno met; do
    cp "$here/../../data/$f.txt" "$work/"
done
"$here/compare.sh" "$cli" "$work"
python3 "$here/compare_freq.py" "$cli" 4 "$seed" "$work"
