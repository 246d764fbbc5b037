#!/usr/bin/env bash
# Rebuilds the shipped histories from their sources and compares them byte for byte with data/.
#
#   scripts/data/rebuild.sh [--update] [FILE...]
#
# Every file (default: every file of data/ and of the recipes) is rebuilt by its recipe in
# scripts/data/recipes.tsv, from the source files read out of fetched copies of the source
# repositories, into a temporary folder. Prints one line a file; exits 1 when a file differs,
# has no recipe or cannot be rebuilt. --update writes the rebuilt files into data/ instead of
# only comparing (for a new or changed recipe).
#
# Environment: CORVANE_MIRRORS, the folder of the fetched repositories, each a git directory
# at owner+name/repo or owner+name (default /work/.mirror); CORVANE_CLI, the corvane-cli that
# recipes call as $CLI (default: the first of build/{debug,release,core,asan}/bin/corvane-cli,
# else corvane-cli on the PATH).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
data="$root/data"
recipes="$here/recipes.tsv"
mirrors=${CORVANE_MIRRORS:-/work/.mirror}
update=0
if [ "${1:-}" = --update ]; then
    update=1
    shift
fi

CLI=${CORVANE_CLI:-}
for build in debug release core asan; do
    [ -z "$CLI" ] && [ -x "$root/build/$build/bin/corvane-cli" ] && CLI="$root/build/$build/bin/corvane-cli"
done
[ -z "$CLI" ] && CLI=$(command -v corvane-cli || echo corvane-cli)
export CLI SCRIPTS="$here"

# The recipes: for each file its command and its sources, one "repo<TAB>commit<TAB>path" a line.
declare -A command sources
order=()
previous=""
line_number=0
while IFS= read -r line || [ -n "$line" ]; do
    line_number=$((line_number + 1))
    line=${line%$'\r'}
    [ "$line_number" -eq 1 ] && continue # the header
    [ -z "$line" ] || [ "${line:0:1}" = "#" ] && continue
    IFS=$'\t' read -r file repo commit path cmd <<<"$line"
    if [ -z "${file:-}" ] || [ -z "${repo:-}" ] || [ -z "${commit:-}" ] || [ -z "${path:-}" ] ||
        [ -z "${cmd:-}" ]; then
        echo "recipes.tsv:$line_number: needs five tab-separated fields" >&2
        exit 2
    fi
    if [ "$cmd" = "+" ]; then
        if [ "$file" != "$previous" ]; then
            echo "recipes.tsv:$line_number: \"+\" continues the file of the row above" >&2
            exit 2
        fi
    else
        if [ -n "${command[$file]+set}" ]; then
            echo "recipes.tsv:$line_number: a second recipe for $file" >&2
            exit 2
        fi
        command[$file]=$cmd
        sources[$file]=""
        order+=("$file")
    fi
    sources[$file]+="$repo"$'\t'"$commit"$'\t'"$path"$'\n'
    previous=$file
done <"$recipes"

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
    mapfile -t files < <({
        printf '%s\n' "${order[@]}"
        find "$data" -maxdepth 1 -name '*.txt' ! -name CMakeLists.txt -printf '%f\n'
    } | sort -u)
fi

git_dir() {
    local base="$mirrors/${1/\//+}"
    for dir in "$base/repo" "$base/repo/.git" "$base"; do
        if git --git-dir="$dir" rev-parse --git-dir >/dev/null 2>&1; then
            echo "$dir"
            return 0
        fi
    done
    return 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for file in "${files[@]}"; do
    file=$(basename "$file")
    if [ -z "${command[$file]+set}" ]; then
        echo "NO RECIPE  $file"
        failed=1
        continue
    fi
    dir="$work/$file.d"
    mkdir -p "$dir"
    args=()
    problem=""
    n=0
    while IFS=$'\t' read -r repo commit path; do
        [ -z "$repo" ] && continue
        n=$((n + 1))
        if ! gd=$(git_dir "$repo"); then
            problem="no copy of $repo under $mirrors (fetch github:$repo)"
            break
        fi
        if ! git --git-dir="$gd" show "$commit:$path" >"$dir/source$n" 2>"$dir/git.err"; then
            problem="$repo@$commit:$path: $(head -n1 "$dir/git.err")"
            break
        fi
        args+=("$dir/source$n")
    done <<<"${sources[$file]}"
    if [ -n "$problem" ]; then
        echo "FAILED     $file: $problem"
        failed=1
        continue
    fi
    if ! (cd "$dir" && bash -euo pipefail -c "${command[$file]}" "$file" "${args[@]}") \
        >"$dir/out" 2>"$dir/err"; then
        echo "FAILED     $file: the recipe failed: $(tail -n3 "$dir/err" | tr '\n' ' ')"
        failed=1
        continue
    fi
    lines=$(wc -l <"$dir/out")
    if [ "$update" -eq 1 ]; then
        if cmp -s "$dir/out" "$data/$file"; then
            echo "same       $file ($lines lines)"
        else
            cp "$dir/out" "$data/.$file.new"
            mv "$data/.$file.new" "$data/$file"
            echo "WRITTEN    $file ($lines lines)"
        fi
    elif [ ! -f "$data/$file" ]; then
        echo "MISSING    $file: rebuilt $lines lines, data/ has no such file"
        failed=1
    elif cmp -s "$dir/out" "$data/$file"; then
        echo "same       $file ($lines lines)"
    else
        first=$( (cmp "$dir/out" "$data/$file" 2>&1 || true) | sed -n 's/.*line \([0-9]*\).*/\1/p')
        echo "DIFFERENT  $file: rebuilt $lines lines, data/ $(wc -l <"$data/$file");" \
            "first difference on line ${first:-?}"
        failed=1
    fi
done
exit $failed
