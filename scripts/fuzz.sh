#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan and UBSan) and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-20}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

for cible in lecture_frequence commande_calcul lecture_rtf; do
    corpus="build/fuzz/corpus/$cible"
    mkdir -p "$corpus"
    cp -n tests/fuzz/graines/* "$corpus"/ 2>/dev/null || true
    journal="build/fuzz/fuzz_$cible.log"
    echo "== fuzz_$cible pendant ${secondes} s"
    if ! "build/fuzz/tests/fuzz/fuzz_$cible" -max_total_time="$secondes" -max_len=4096 \
        -artifact_prefix=build/fuzz/ "$corpus" >"$journal" 2>&1; then
        cat "$journal"
        exit 1
    fi
    grep -E "DONE" "$journal"
done
