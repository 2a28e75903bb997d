#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: formatting, the dev build, the
# sanitizer build and the fuzzers; then prints how much test code there is for the code.
# This is exactly what CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

scripts/install-deps.sh

echo "== Formatage"
scripts/check-format.sh

echo "== Fuzzing (ASan, UBSan)"
scripts/fuzz.sh 20

echo "== Construction et tests sous ASan et UBSan"
cmake --preset asan-ubsan >/dev/null
cmake --build --preset asan-ubsan -j"$jobs"
ctest --preset asan-ubsan -j"$jobs"

echo "== Construction"
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$jobs"

echo "== Paquet Debian"
scripts/verifier-paquet.sh build/dev

echo "== Impression réelle (CUPS)"
scripts/cups-test.sh build/dev/tests/ui/impression_cups_test

echo "== Tests"
ctest --preset dev -j"$jobs"

echo "== Lignes de tests pour les lignes de code"
scripts/ratio-tests.sh
