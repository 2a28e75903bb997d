#!/usr/bin/env bash
# Starts Quorvan in the X session of $DISPLAY, types 1000, presses "Calcul" from the keyboard
# (Tab twice from the frequency box) and waits for the report box titled "Quorvan"; closes it
# and opens the analysis window (Ctrl+R), which needs the plugin where the program looks for it,
# then the help (F1).
# Usage: smoke_x11.sh <program> [file]: the file, when given, receives the program's memory map
# with all its windows open.
set -euo pipefail
"$1" &
programme=$!
trap 'kill "$programme" 2>/dev/null || true' EXIT
attendre() {
    timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -n 1 ||
        { echo "no window named $1 appeared" >&2 && return 1; }
}
principale="$(attendre '^Quorvan: Calcul')"
xdotool windowfocus --sync "$principale"
xdotool type --delay 50 1000
xdotool key --delay 50 Tab Tab space
boite="$(attendre '^Quorvan$')"
xdotool windowfocus --sync "$boite"
xdotool key Return
xdotool windowfocus --sync "$principale"
xdotool key ctrl+r
attendre '^Analyse' >/dev/null
xdotool key F1
attendre '^Aide' >/dev/null
if [ -n "${2:-}" ]; then
    cat "/proc/$programme/maps" >"$2"
fi
