#!/usr/bin/env bash
# wait-for-window.sh TITLE SECONDS COMMAND [ARGS...]
# Starts COMMAND on the X display named by DISPLAY, waits until it shows a window titled exactly
# TITLE, checks that it still runs a moment later, then ends it. Fails (and says why) when the
# program ends first or no such window shows within SECONDS. Needs xdotool.
set -euo pipefail
title=$1
seconds=$2
shift 2
pattern="^$(printf '%s' "$title" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"

"$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

deadline=$((SECONDS + seconds))
until xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && status=0 || status=$?
        echo "wait-for-window: '$*' ended (status $status) before showing '$title'" >&2
        exit 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
        echo "wait-for-window: no window '$title' within $seconds s" >&2
        exit 1
    fi
    sleep 0.2
done
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    echo "wait-for-window: '$*' ended right after showing '$title'" >&2
    exit 1
fi
echo "shown: '$title'"
