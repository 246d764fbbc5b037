#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test tools this Debian machine lacks.
# "install-deps.sh screenshot" also installs what scripts/screenshots.sh and
# scripts/make-icons.sh need.
set -euo pipefail

packages=(
    build-essential cmake ninja-build git python3
    # Qt 6 Widgets, Network and Test, the X11 headers for the lock-key panes, the platform
    # plugins (xcb for a desktop, offscreen for the tests) and a font to draw text with.
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libx11-dev fonts-dejavu-core
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang clang-format libclang-rt-14-dev xvfb xauth
    g++-mingw-w64-x86-64-posix wine wine64
    # The packages and their test: dpkg-shlibdeps and file for the .deb's dependencies, a check
    # of desktop entries, and xdotool to see the program's window on the virtual X server.
    dpkg-dev file desktop-file-utils xdotool
    # The data server's test runs Debian's nginx as a plain user on a port of its own (where
    # services run, the package also starts the system's nginx; the test does not use it).
    nginx
    # corvane-cli report: its figures recomputed with scipy, its page rendered by headless
    # Chromium.
    python3-scipy chromium
)
if [ "${1:-}" = screenshot ]; then
    packages+=(imagemagick openbox librsvg2-bin)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
