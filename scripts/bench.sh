#!/usr/bin/env bash
# Start-up time and peak memory of Quorvan against a bare Qt window, on a real X server.
# Usage: scripts/bench.sh [runs, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
executions="${1:-30}"

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target bench
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    build/dev/bench/mesure_demarrage "$executions" build/dev/bench/quorvan_bench \
    build/dev/bench/fenetre_nue_bench
