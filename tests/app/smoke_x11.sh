#!/usr/bin/env bash
# Starts Quorvan in the X session of $DISPLAY, types 1000, presses "Calcul" from the keyboard
# (Tab twice from the frequency box) and waits for the report box titled "Quorvan".
set -euo pipefail
"$1" &
trap 'kill $! 2>/dev/null || true' EXIT
xdotool windowfocus --sync "$(timeout 15 xdotool search --sync --onlyvisible --name '^Quorvan: Calcul')"
xdotool type --delay 50 1000
xdotool key --delay 50 Tab Tab space
timeout 15 xdotool search --sync --onlyvisible --name '^Quorvan$' >/dev/null || {
    echo "no window titled Quorvan appeared" >&2
    exit 1
}
