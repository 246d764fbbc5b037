#!/usr/bin/env bash
# Builds the release preset, packages it and proves the packages on this machine:
# - `cmake --install` into a folder whose path has spaces gives a portable folder: its command
#   line predicts and the program starts there and shows its window;
# - the .tar.gz holds that same folder;
# - the .deb installs with dpkg, its launcher starts the program for a user with a fresh home
#   (copying the program folder to the user's data folder first), and it removes cleanly.
# The program runs on a virtual X server (Xvfb); "shown" means that xdotool found its window.
# Installs the .deb system-wide: run as root (CI is) or with sudo at hand.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
caption="Canada 6/49--Corvane For Windows"
work=$(mktemp -d)
installed=false
cleanup() {
    if $installed; then
        $sudo dpkg -r corvane >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "test-package: $*" >&2
    exit 1
}

# A user of its own for each start: settings, data and runtime folders in the temporary folder.
as_fresh_user() { # NAME COMMAND...
    local home="$work/$1 home"
    shift
    mkdir -p "$home"
    env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_RUNTIME_DIR HOME="$home" QT_QPA_PLATFORM=xcb \
        "$@"
}
show_window() { # NAME COMMAND...: starts the program as a fresh user until its window shows
    local name=$1
    shift
    as_fresh_user "$name" xvfb-run -a -s "-screen 0 1024x768x24" \
        "$root/scripts/wait-for-window.sh" "$caption" 30 "$@"
}

echo "== release build and packages"
cmake --preset release >/dev/null
cmake --build --preset release --target corvane corvane-cli blank_histories
rm -rf build/release/packages
(cd build/release && cpack -G "TGZ;DEB" >/dev/null)
tarball=$(echo build/release/packages/corvane-*.tar.gz)
deb=$(echo build/release/packages/corvane_*.deb)
[ -f "$tarball" ] || fail "no .tar.gz made"
[ -f "$deb" ] || fail "no .deb made"

echo "== portable folder"
portable="$work/Portable Corvane"
cmake --install build/release --prefix "$portable" >/dev/null
expected=$(build/release/bin/corvane-cli predict regress build/release/bin/ca649.txt)
got=$(cd "$portable" && ./corvane-cli predict regress ca649.txt)
[ "$got" = "$expected" ] || fail "the installed corvane-cli predicts otherwise than the build's"
echo "$got" | grep -q "Could Be:" || fail "no prediction from the installed corvane-cli"
entry="$portable/share/applications/corvane.desktop"
desktop-file-validate "$entry" || fail "desktop entry not valid"
grep -qxF "Path=$portable" "$entry" || fail "desktop entry does not start in $portable"
[ -f "$portable/share/icons/hicolor/scalable/apps/corvane.svg" ] || fail "no SVG icon"
(cd "$portable" && show_window portable ./corvane) || fail "the portable program showed no window"

echo "== .tar.gz"
top=$(basename "$tarball" .tar.gz)
in_tar=$(tar tzf "$tarball" | grep -v '/$' | sed "s|^$top/||" | sort)
in_folder=$(cd "$portable" && find . -path ./share -prune -o -type f -printf '%P\n' | sort)
[ "$in_tar" = "$in_folder" ] || fail "the .tar.gz holds other files than the portable folder"

echo "== .deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6; do
    echo "$depends" | grep -q "$lib" || fail "the .deb does not depend on $lib"
done
installed=true
$sudo dpkg -i "$deb" >/dev/null
[ "$(dpkg-query -W -f='${Status}' corvane)" = "install ok installed" ] || fail "not installed"
(cd /opt/corvane && sha256sum --quiet -c .shipped.sha256) || fail "shipped files list is wrong"
desktop-file-validate /usr/share/applications/corvane.desktop || fail "desktop entry not valid"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/corvane.desktop)
[ "$(command -v "$exec_line")" = /usr/bin/corvane ] || fail "desktop entry does not run the launcher"
(cd "$work" && /usr/bin/corvane-cli predict regress /opt/corvane/ca649.txt | grep -q "Could Be:") ||
    fail "no prediction from /usr/bin/corvane-cli"

show_window deb /usr/bin/corvane || fail "the installed program showed no window"
copy="$work/deb home/.local/share/corvane"
[ -x "$copy/corvane" ] || fail "no per-user copy in $copy"
cmp -s /opt/corvane/.shipped.sha256 "$copy/.shipped.sha256" || fail "the per-user copy is not whole"
# Starts again with the copy in place.
show_window deb /usr/bin/corvane || fail "the installed program showed no window on its second start"

$sudo dpkg -r corvane >/dev/null
installed=false
status=$(dpkg-query -W -f='${Status}' corvane 2>/dev/null || true)
case $status in "" | *not-installed* | *config-files*) ;; *) fail "still installed: $status" ;; esac
for path in /usr/bin/corvane /usr/bin/corvane-cli /opt/corvane /usr/share/applications/corvane.desktop \
    /usr/share/icons/hicolor/scalable/apps/corvane.svg; do
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path is left after removal"
done
[ -f "$copy/ca649.txt" ] || fail "removing the package took the user's copy with it"
echo "== packages ok: $(basename "$tarball"), $(basename "$deb")"
