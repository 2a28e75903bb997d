#!/usr/bin/env bash
# Installs what is missing, builds Quorvan and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target quorvan
exec build/dev/app/quorvan
