#!/usr/bin/env bash
# Starts Quorvan in the X session of $DISPLAY, types 1000 into the frequency box, presses
# "Calcul" with the keyboard and waits for the report box titled "Quorvan".
set -euo pipefail
programme="$1"

"$programme" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

fenetre="$(timeout 15 xdotool search --sync --onlyvisible --name '^Quorvan: Calcul')"
xdotool windowfocus --sync "$fenetre"
# The frequency box has the focus at start; Tab twice reaches "Calcul".
xdotool type --delay 50 1000
xdotool key --delay 50 Tab Tab space
if ! boite="$(timeout 15 xdotool search --sync --onlyvisible --name '^Quorvan$')"; then
    echo "no window titled Quorvan appeared" >&2
    exit 1
fi
echo "report box shown: window $boite"
