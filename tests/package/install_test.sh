#!/usr/bin/env bash
# `cmake --install` into a portable folder that is already in use (its path has spaces): the
# executables and every shipped file the user left alone are refreshed, a file the user changed
# is kept, and the list of shipped files keeps what was shipped, not what the user made of it.
#   install_test.sh BUILD_DIR CMAKE
set -uo pipefail
build=$1
cmake=$2

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/My Corvane"
install() {
    "$cmake" --install "$build" --prefix "$folder" --component program >"$work/log" 2>&1 ||
        fail "install failed: $(cat "$work/log")"
}
verified() { (cd "$folder" && sha256sum --quiet -c .shipped.sha256) >/dev/null 2>&1; }

# ---- a fresh folder: everything, and a list that matches it
install
for name in corvane corvane-cli ca649.txt pb545.txt mm552.txt brnl.txt ny3.txt tips.txt \
    corvh.hlp icon.ico; do
    [ -f "$folder/$name" ] || fail "no $name installed"
    grep -q "  $name\$" "$folder/.shipped.sha256" || fail "$name is not in the list"
done
# Every lottery of the catalogue has its data file: a history, or the text that says how to fill it.
catalogue_files=$("$folder/corvane-cli" catalogue | cut -f4 | sort -u | grep .)
[ "$(echo "$catalogue_files" | wc -l)" -eq 198 ] || fail "the catalogue does not name 198 files"
for name in $catalogue_files; do
    [ -f "$folder/$name" ] || fail "no $name installed"
    grep -q "  $name\$" "$folder/.shipped.sha256" || fail "$name is not in the list"
done
verified || fail "the list does not match the fresh folder"
cp "$folder/.shipped.sha256" "$work/list"

# ---- the user's work: an edited history, a start-up file, a damaged program, a lost file
printf '20300101 1 2 3 4 5 6\r\n' >>"$folder/ca649.txt"
cp "$folder/ca649.txt" "$work/edited"
printf 'Startup-Open-File:%s/pb545.txt' "$folder" >"$folder/startlotto.txt"
cp "$folder/startlotto.txt" "$work/startlotto"
printf 'junk' >"$folder/corvane-cli"
rm "$folder/pb545.txt"
# tips.txt as an earlier install shipped it: listed with its sum, untouched since
printf 'Old tip\n' >"$folder/tips.txt"
old_sum=$(sha256sum <"$folder/tips.txt" | cut -d' ' -f1)
sed -i "s/^[0-9a-f]*  tips.txt\$/$old_sum  tips.txt/" "$folder/.shipped.sha256"

install
cmp -s "$work/edited" "$folder/ca649.txt" || fail "the edited history was replaced"
grep -q "Keeping: .*ca649.txt" "$work/log" || fail "the kept history is not reported"
cmp -s "$work/startlotto" "$folder/startlotto.txt" || fail "the start-up file was touched"
[ -f "$folder/pb545.txt" ] || fail "a lost shipped file did not come back"
grep -q "Old tip" "$folder/tips.txt" && fail "tips.txt, unchanged since shipped, was not refreshed"
cmp -s "$work/list" "$folder/.shipped.sha256" || fail "the list no longer holds what was shipped"
# Everything but the user's history is as shipped, the program included.
(cd "$folder" && sha256sum -c .shipped.sha256 2>/dev/null | grep -v ': OK$') >"$work/changed"
[ "$(cat "$work/changed")" = "ca649.txt: FAILED" ] ||
    fail "files not as shipped: $(tr '\n' ' ' <"$work/changed")"
"$folder/corvane-cli" name ca649.txt >/dev/null || fail "the refreshed corvane-cli does not run"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install: all cases passed"
