#!/usr/bin/env bash
# Takes the pictures of the real program for the README: builds the release preset, then for
# each scene starts Corvane afresh from its build folder (on the shipped Canada 6/49 history, with
# settings in a temporary folder) on a virtual X server with a small window manager, drives it
# from the keyboard as a user would (xdotool types the keys), and saves the screen as
# docs/screenshots/SCENE.png.
#
#   scripts/screenshots.sh [--scale N] [--out DIR] [SCENE...]
#
# --scale 2 takes them as on a screen of twice the density (QT_SCALE_FACTOR), --out saves them
# elsewhere; without scenes it takes every scene of `scenes`.
#
# A scene is a function scene_NAME (NAME with "_" for "-") that starts from the main window just
# shown, brings the program where the picture is to be taken, waits for that window with
# `wait_window CAPTION` and calls `shoot`. To add one, write its function and add its name to
# `scenes`.
set -euo pipefail
cd "$(dirname "$0")/.."

scale=1
out=docs/screenshots
requested=()
while [ $# -gt 0 ]; do
    case $1 in
    --scale) scale=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    -*) echo "usage: $0 [--scale N] [--out DIR] [SCENE...]" >&2; exit 2 ;;
    *) requested+=("$1"); shift ;;
    esac
done

# The scenes of the README, in its order.
scenes=(main-window prediction frequency-table chart selection tip-of-the-day)

main_caption="Canada 6/49--Corvane For Windows"

scene_main_window() {
    shoot
}

# Ctrl+G: the nonlinear regression method's result over the main window.
scene_prediction() {
    keys ctrl+g
    wait_window "Canadian 6/49--Corvane For Windows"
    shoot
}

# Help menu, then "Ti&p of the Day...".
scene_tip_of_the_day() {
    keys alt+h p
    wait_window "Tip of the Day"
    shoot
}

# Ctrl+T: how often each number was drawn from 1 January 2024 (typed into FROM as 24-1-1) to
# today.
scene_frequency_table() {
    keys ctrl+t
    wait_window "Canadian 6/49--Times Of Each Lotto That Turned Up"
    keys 2 4 minus 1 minus 1 Return
    shoot
}

# Statistics menu, then "Drawing Of Lotto &Distribution", from 1 January 2024 to today.
scene_chart() {
    keys alt+s d
    wait_window "Canadian 6/49--Distribution Of Each Lotto That Turned Up"
    keys 2 4 minus 1 minus 1 Return
    shoot
}

# LottoData menu, then "Open &Lottory Data": the selection dialog.
scene_selection() {
    keys alt+d l
    wait_window "Corvane For Windows"
    shoot
}

# ---- machinery

scripts/install-deps.sh screenshot
cmake --preset release >/dev/null
cmake --build --preset release --target corvane blank_histories
mkdir -p "$out"
out=$(realpath "$out")
[ ${#requested[@]} -eq 0 ] && requested=("${scenes[@]}")
for scene in "${requested[@]}"; do
    declare -F "scene_${scene//-/_}" >/dev/null || { echo "no scene '$scene'" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb=""
wm=""
app=""
stop_program() {
    [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
    app=""
}
cleanup() {
    stop_program || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

width=$((820 * scale))
height=$((700 * scale))
for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# wait_window CAPTION: waits until a window of exactly that caption shows and has the focus.
wait_window() {
    local pattern id
    pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tail -1 || true)
        if [ -n "$id" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ]; then
            sleep 0.5
            return 0
        fi
        sleep 0.1
    done
    echo "screenshots: no window '$1' (scene $current)" >&2
    return 1
}

# keys KEY...: presses the keys, one after the other, in the focused window.
keys() {
    local key
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.3
    done
}

shoot() {
    import -window root "$out/$current.png"
    echo "saved $out/$current.png"
}

status=0
for current in "${requested[@]}"; do
    home="$work/home-$current"
    mkdir -p "$home"
    (cd build/release/bin && exec env HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" ./corvane) >/dev/null 2>&1 &
    app=$!
    if wait_window "$main_caption" && "scene_${current//-/_}"; then
        :
    else
        status=1
    fi
    stop_program || true
done
exit $status
