#!/usr/bin/env bash
# Installs what is missing, builds Quorvan and designs an example filter with it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target quorvan-cli
build/dev/cli/quorvan-cli --filtre butterworth --ordre 4 --type passe-haut 1000
