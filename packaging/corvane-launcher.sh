#!/bin/sh
# corvane: starts Corvane as its .deb installs it.
#
# The program keeps its data files, its start-up file (startlotto.txt) and the histories it
# downloads beside its executable, and the package's folder /opt/corvane is no place every user
# may write to. So each user runs a copy of that folder, made at the first start under
# ${XDG_DATA_HOME:-$HOME/.local/share}/corvane, and the program is started in it.
#
# The package's folder lists what it ships with a SHA-256 sum each (.shipped.sha256); the copy
# keeps the list it was last brought up to date with. When the two lists differ (a newer, or any
# other, package), the copy is refreshed by these rules:
# - the executables (the files the package marks executable) are always the package's;
# - any other shipped file is replaced only while the user's copy of it is still exactly what
#   was shipped before (its sum is the one in the copy's list), or when the copy lacks it: a data
#   file that the user edited or that an online update replaced keeps the user's version, an
#   untouched one gets the new draws, and a file new in the package appears;
# - files the package never shipped (startlotto.txt, the user's own histories) are not touched,
#   and nothing is deleted.
# The list is replaced last, so a refresh cut short is done again at the next start.
#
# Nothing is lost when a start is interrupted: the first copy is made in a temporary folder
# that is renamed into place when it is complete, and every refreshed file is copied beside its
# place and then renamed over it in one step.
#
# CORVANE_PACKAGE_DIR names another package folder than /opt/corvane.
set -eu

package_dir=${CORVANE_PACKAGE_DIR:-/opt/corvane}
manifest=.shipped.sha256

die() {
    printf 'corvane: %s\n' "$*" >&2
    exit 1
}

# Only an absolute XDG_DATA_HOME counts; otherwise the default under HOME.
case ${XDG_DATA_HOME:-} in
/*) data_home=$XDG_DATA_HOME ;;
*)
    case ${HOME:-} in
    /*) data_home=$HOME/.local/share ;;
    *) die "cannot tell where your data go: neither XDG_DATA_HOME nor HOME is an absolute path" ;;
    esac
    ;;
esac
user_dir=$data_home/corvane

[ -f "$package_dir/$manifest" ] || die "$package_dir is no Corvane program folder"
mkdir -p "$data_home" || die "cannot make $data_home"

# One start at a time makes or refreshes the copy; the lock is let go before the program runs,
# so that a second window can start while the first is open.
locked=false
if command -v flock >/dev/null 2>&1; then
    exec 9>"$data_home/.corvane.lock"
    flock 9
    locked=true
fi

sum_of() {
    sha256sum <"$1" | cut -d' ' -f1
}

# listed LIST SUM NAME: whether LIST has the line "SUM  NAME".
listed() {
    [ -f "$1" ] || return 1
    awk -v sum="$2" -v name="$3" \
        'substr($0, 1, 64) == sum && substr($0, 67) == name { found = 1 } END { exit !found }' "$1"
}

# put SOURCE TARGET: copies SOURCE beside TARGET, then renames it over TARGET.
put() {
    next_file=$(dirname -- "$2")/.corvane-new.$(basename -- "$2")
    cp -- "$1" "$next_file" && chmod u+w -- "$next_file" && mv -f -- "$next_file" "$2"
}

make_copy() {
    # Temporary folders of an interrupted first copy are of no use.
    if $locked; then
        for stale in "$data_home"/.corvane-copy.*; do
            [ -d "$stale" ] && rm -rf -- "$stale"
        done
    fi
    tmp=$(mktemp -d "$data_home/.corvane-copy.XXXXXX")
    if ! cp -R -- "$package_dir/." "$tmp/" || ! chmod -R u+w -- "$tmp"; then
        rm -rf -- "$tmp"
        die "cannot copy $package_dir to $data_home"
    fi
    if ! mv -T -- "$tmp" "$user_dir" 2>/dev/null; then
        rm -rf -- "$tmp"
        [ -d "$user_dir" ] || die "cannot make $user_dir"
    fi
}

refresh() {
    old_list=$user_dir/$manifest
    while read -r sum name; do
        [ -n "$name" ] || continue
        source_file=$package_dir/$name
        target=$user_dir/$name
        [ -f "$source_file" ] || continue
        if [ -d "$target" ]; then
            continue
        elif [ -x "$source_file" ] || [ ! -e "$target" ]; then
            put "$source_file" "$target" || return 1
        else
            current=$(sum_of "$target") || return 1
            if [ "$current" != "$sum" ] && listed "$old_list" "$current" "$name"; then
                put "$source_file" "$target" || return 1
            fi
        fi
    done <"$package_dir/$manifest"
    put "$package_dir/$manifest" "$old_list"
}

if [ ! -d "$user_dir" ]; then
    make_copy
fi
if ! cmp -s -- "$package_dir/$manifest" "$user_dir/$manifest" || [ ! -x "$user_dir/corvane" ]; then
    refresh || die "cannot bring $user_dir up to date"
fi

if $locked; then
    flock -u 9
    exec 9>&-
fi
cd -- "$user_dir" || die "cannot enter $user_dir"
exec ./corvane "$@"
