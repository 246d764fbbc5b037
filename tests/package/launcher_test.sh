#!/usr/bin/env bash
# The .deb's launcher against a fake package folder and a fake XDG_DATA_HOME, both with spaces in
# their paths: the first start copies, an upgrade refreshes what the user did not change and keeps
# what the user did, and an interrupted start loses nothing.
#   launcher_test.sh LAUNCHER CMAKE WRITE_MANIFEST_SCRIPT
set -uo pipefail
launcher=$1
cmake=$2
write_manifest=$3

failures=0
fail() {
    echo "FAIL [$case_name]: $*" >&2
    failures=$((failures + 1))
}
expect_file() { # PATH TEXT
    if [ ! -f "$1" ]; then
        fail "missing $1"
    elif [ "$(cat "$1")" != "$2" ]; then
        fail "$1 holds '$(cat "$1")', not '$2'"
    fi
}
expect_same() { cmp -s "$1" "$2" || fail "$2 differs from $1"; }

# A package folder as the .deb installs it: a fake program that tells where it ran and with what,
# two data files, the tips, and the list of shipped files written by the build's own script.
# make_package DIR VERSION [EXTRA_FILE]
make_package() {
    local dir=$1 version=$2
    [ -d "$dir" ] && chmod -R u+w "$dir" && rm -rf "$dir"
    mkdir -p "$dir"
    printf '#!/bin/sh\n# program %s\n{ pwd; printf "%%s\\n" "$@"; } >"$CORVANE_TEST_RECORD"\n' \
        "$version" >"$dir/corvane"
    chmod 755 "$dir/corvane"
    printf 'ca649 draws of %s\n' "$version" >"$dir/ca649.txt"
    printf 'tips of %s\n' "$version" >"$dir/tips.txt"
    printf 'help\n' >"$dir/corvh.hlp"
    local names="corvane;ca649.txt;tips.txt;corvh.hlp"
    if [ $# -ge 3 ]; then
        printf '%s of %s\n' "$3" "$version" >"$dir/$3"
        names="$names;$3"
    fi
    "$cmake" -DCORVANE_MANIFEST_DIR="$dir" "-DCORVANE_MANIFEST_FILES=$names" -P "$write_manifest" ||
        fail "manifest not written"
    # Installed by root: nobody else may write there.
    chmod -R a-w "$dir"
}

# start [ENV...]: runs the launcher on the fake package; its exit status.
start() {
    rm -f "$record"
    env CORVANE_PACKAGE_DIR="$package" CORVANE_TEST_RECORD="$record" HOME="$home" \
        XDG_DATA_HOME="$data_home" "$@" sh "$launcher" first "second arg" 2>"$work/stderr"
}

new_case() {
    case_name=$1
    work=$(mktemp -d)
    package="$work/pkg dir/corvane"
    home="$work/home dir"
    data_home="$work/data home"
    user="$data_home/corvane"
    record="$work/record"
    mkdir -p "$home"
}
end_case() {
    chmod -R u+w "$work"
    rm -rf "$work"
}

# ---- the first start copies the folder and runs the program there
new_case first_start
make_package "$package" v1
start || fail "launcher failed: $(cat "$work/stderr")"
for name in corvane ca649.txt tips.txt corvh.hlp .shipped.sha256; do
    expect_same "$package/$name" "$user/$name"
done
expect_file "$record" "$(printf '%s\nfirst\nsecond arg' "$user")"
[ -w "$user/ca649.txt" ] || fail "the user's copy is not writable"
[ -z "$(find "$data_home" -maxdepth 1 -name '.corvane-copy.*')" ] || fail "temporary folder left"
end_case

# ---- the next start of the same package changes nothing the user did
new_case same_package
make_package "$package" v1
start
printf 'my draws\n' >"$user/ca649.txt"
rm "$user/tips.txt"
start || fail "launcher failed: $(cat "$work/stderr")"
expect_file "$user/ca649.txt" "my draws"
[ -f "$user/tips.txt" ] && fail "the same package put back a file the user removed"
end_case

# ---- an upgrade keeps edited files and the user's own, refreshes the rest, adds new ones
new_case upgrade
make_package "$package" v1
start
printf 'my draws\n' >"$user/ca649.txt"
printf 'Startup-Open-File:%s/mine.txt' "$user" >"$user/startlotto.txt"
printf 'mine\n' >"$user/mine.txt"
make_package "$package" v2 pb545.txt
start || fail "launcher failed: $(cat "$work/stderr")"
expect_file "$user/ca649.txt" "my draws"
expect_file "$user/tips.txt" "tips of v2"
expect_file "$user/pb545.txt" "pb545.txt of v2"
expect_file "$user/startlotto.txt" "Startup-Open-File:$user/mine.txt"
expect_file "$user/mine.txt" "mine"
expect_same "$package/corvane" "$user/corvane"
expect_same "$package/.shipped.sha256" "$user/.shipped.sha256"
[ -x "$user/corvane" ] || fail "the refreshed program is not executable"
expect_file "$record" "$(printf '%s\nfirst\nsecond arg' "$user")"
[ -z "$(find "$user" -name '.corvane-new.*')" ] || fail "temporary file left"
end_case

# ---- the program is the package's even when the user's copy of it was changed
new_case program_always_refreshed
make_package "$package" v1
start
chmod u+w "$user/corvane"
printf '#!/bin/sh\nexit 3\n' >"$user/corvane"
make_package "$package" v2
start || fail "launcher failed: $(cat "$work/stderr")"
expect_same "$package/corvane" "$user/corvane"
end_case

# ---- on an upgrade a shipped file the user removed comes back, and so does a lost program
new_case upgrade_restores_missing
make_package "$package" v1
start
rm "$user/tips.txt"
make_package "$package" v2
start
expect_file "$user/tips.txt" "tips of v2"
rm "$user/corvane"
start || fail "launcher failed without the program in the copy: $(cat "$work/stderr")"
expect_same "$package/corvane" "$user/corvane"
end_case

# ---- a data file already as the new package ships it, and one edited to the new text, stay
new_case upgrade_cut_short
make_package "$package" v1
start
make_package "$package" v2
# As if the last start had refreshed tips.txt and been killed before ca649.txt and the list.
cp "$package/tips.txt" "$user/tips.txt"
start || fail "launcher failed: $(cat "$work/stderr")"
expect_file "$user/tips.txt" "tips of v2"
expect_file "$user/ca649.txt" "ca649 draws of v2"
expect_same "$package/.shipped.sha256" "$user/.shipped.sha256"
end_case

# ---- a first copy cut short leaves only a temporary folder, which the next start clears
new_case first_copy_cut_short
make_package "$package" v1
mkdir -p "$data_home/.corvane-copy.AbC123"
printf 'half' >"$data_home/.corvane-copy.AbC123/ca649.txt"
start || fail "launcher failed: $(cat "$work/stderr")"
expect_same "$package/ca649.txt" "$user/ca649.txt"
[ -d "$data_home/.corvane-copy.AbC123" ] && fail "stale temporary folder kept"
end_case

# ---- two starts at once make one whole copy
new_case two_at_once
make_package "$package" v1
env CORVANE_PACKAGE_DIR="$package" CORVANE_TEST_RECORD="$work/r1" XDG_DATA_HOME="$data_home" \
    sh "$launcher" &
env CORVANE_PACKAGE_DIR="$package" CORVANE_TEST_RECORD="$work/r2" XDG_DATA_HOME="$data_home" \
    sh "$launcher" &
wait %1 || fail "first launcher failed"
wait %2 || fail "second launcher failed"
expect_file "$work/r1" "$user"
expect_file "$work/r2" "$user"
for name in corvane ca649.txt tips.txt corvh.hlp .shipped.sha256; do
    expect_same "$package/$name" "$user/$name"
done
[ -z "$(find "$data_home" -maxdepth 1 -name '.corvane-copy.*')" ] || fail "temporary folder left"
end_case

# ---- where the copy goes: XDG_DATA_HOME when absolute, else ~/.local/share, else an error
for setting in "XDG_DATA_HOME=" "XDG_DATA_HOME=relative/dir"; do
    new_case "default data home, $setting"
    make_package "$package" v1
    start "$setting" || fail "launcher failed: $(cat "$work/stderr")"
    expect_file "$record" "$(printf '%s\nfirst\nsecond arg' "$home/.local/share/corvane")"
    [ -e "$data_home" ] && fail "copied to $data_home"
    end_case
done

new_case no_home
make_package "$package" v1
start XDG_DATA_HOME= HOME= && fail "launcher ran without a home"
[ -e "$record" ] && fail "the program ran"
grep -q 'neither XDG_DATA_HOME nor HOME' "$work/stderr" || fail "no message: $(cat "$work/stderr")"
end_case

new_case no_package
start && fail "launcher ran without its package folder"
[ -e "$record" ] && fail "the program ran"
grep -q 'no Corvane program folder' "$work/stderr" || fail "no message: $(cat "$work/stderr")"
end_case

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "launcher: all cases passed"
