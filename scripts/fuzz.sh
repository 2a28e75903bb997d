#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan and UBSan) and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-20}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

# The frequency box holds any length of text: a mantissa of 110,000 digits must still meet
# its exponent, so that reader gets inputs long enough to hold one.
declare -A longueur=([lecture_frequence]=262144 [lecture_rtf]=4096)

for cible in lecture_frequence lecture_rtf; do
    corpus="build/fuzz/corpus/$cible"
    mkdir -p "$corpus"
    cp -n tests/fuzz/graines/* "$corpus"/ 2>/dev/null || true
    if [ "$cible" = lecture_frequence ]; then
        { printf '0.'; head -c 110000 /dev/zero | tr '\0' '0'; printf '1e110005'; } \
            >"$corpus/mantisse_longue"
    fi
    journal="build/fuzz/fuzz_$cible.log"
    echo "== fuzz_$cible pendant ${secondes} s"
    if ! "build/fuzz/tests/fuzz/fuzz_$cible" -max_total_time="$secondes" \
        -max_len="${longueur[$cible]}" \
        -artifact_prefix=build/fuzz/ "$corpus" >"$journal" 2>&1; then
        cat "$journal"
        exit 1
    fi
    grep -E "DONE" "$journal"
done
