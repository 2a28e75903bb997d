#!/usr/bin/env bash
# Start-up time and peak memory of Quorvan against a bare Qt window and one that shows a label,
# then the analysis window's opening (menu to first paint of the chart) and the recomputation of
# its curves after a change of series, on a real X server; the optimiser's time per design.
# Usage: scripts/bench.sh [runs, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
executions="${1:-30}"

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target bench
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    build/dev/bench/mesure_demarrage "$executions" build/dev/bench/quorvan_bench \
    build/dev/bench/fenetre_nue_bench build/dev/bench/fenetre_etiquette_bench

# One opening per process: the plugin and Qt Charts are loaded the first time only.
mesures=()
for _ in $(seq 10); do
    mesures+=("$(xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
        build/dev/bench/ouverture_analyse 2>/dev/null)")
done
mediane() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ouverture=$(printf '%s\n' "${mesures[@]}" | awk '{ print $1 }' | mediane)
serie=$(printf '%s\n' "${mesures[@]}" | awk '{ print $2 }' | mediane)
echo "fenêtre d'analyse : ouverture ${ouverture} ms (objectif < 150)," \
    "mise à jour après un changement de série ${serie} ms (objectif < 5)"

# The optimiser over the 72 selections (every family, order and type), five cut-offs each drawn
# from 1 Hz to 100 kHz.
read -r mediane_optimiseur pire_optimiseur < <(build/dev/bench/optimisation 5 |
    awk '/^time per design/ { print $5, $8 }')
echo "optimiseur : ${mediane_optimiseur} ms par filtre en médiane, ${pire_optimiseur} ms au pire" \
    "(72 sélections × 5 fréquences de coupure)"
scripts/bench-monte-carlo.sh
