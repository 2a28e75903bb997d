#!/usr/bin/env bash
# Takes the README's screenshots on a virtual X server: the main window with a report, a
# high-pass diagram, the help window and the analysis window, into docs/. Run it again when
# a window changes.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${QUORVAN_ECRAN:-}" ]; then
    scripts/install-deps.sh
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j"$(nproc)" --target quorvan quorvan_analyse
    exec env QUORVAN_ECRAN=1 LC_ALL=fr_FR.UTF-8 \
        xvfb-run -a -s "-screen 0 1400x1000x24" "$0" "$@"
fi

build/dev/app/quorvan &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

fenetre() { timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# The rectangle around the given windows, as scrot takes it: x,y,w,h.
cadre() {
    local x0=100000 y0=100000 x1=0 y1=0
    for w in "$@"; do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        x0=$((X < x0 ? X : x0)); y0=$((Y < y0 ? Y : y0))
        x1=$((X + WIDTH > x1 ? X + WIDTH : x1)); y1=$((Y + HEIGHT > y1 ? Y + HEIGHT : y1))
    done
    echo "$x0,$y0,$((x1 - x0)),$((y1 - y0))"
}
photo() { sleep 0.7; scrot --overwrite -a "$(cadre "${@:2}")" "docs/$1.png"; echo "docs/$1.png"; }

principale="$(fenetre '^Quorvan: Calcul')"
xdotool windowfocus --sync "$principale"
xdotool type --delay 40 1000
xdotool key --delay 40 Tab Tab space
boite="$(fenetre '^Quorvan$')"
photo fenetre-principale "$principale" "$boite"
xdotool windowfocus --sync "$boite"
xdotool key Return

# Chebyshev ±1 dB (the fourth family, which has no access key), order 5, high-pass.
xdotool windowfocus --sync "$principale"
xdotool key --delay 150 alt+s Down Down Down Return alt+t h alt+o 5
photo schema-passe-haut "$principale"

xdotool key F1
photo aide "$(fenetre '^Aide')"

xdotool windowfocus --sync "$principale"
xdotool key --delay 40 ctrl+a
xdotool type --delay 40 2000
xdotool key --delay 40 Tab Tab space
xdotool windowfocus --sync "$(fenetre '^Quorvan$')"
xdotool key Return
xdotool windowfocus --sync "$principale"
xdotool key ctrl+r
photo analyse "$(fenetre '^Analyse')"

# Its Monte Carlo tab after a run with the default settings.
xdotool key --delay 150 alt+m alt+l
photo analyse-monte-carlo "$(fenetre '^Analyse')"
