#!/usr/bin/env bash
# Lines of source, script and CMake files under tests/ against the same in the rest of the
# project. The project keeps it between 0.22 and 0.36: tests that catch faults, not tests that
# restate the code.
set -euo pipefail
cd "$(dirname "$0")/.."
motif='(\.(cpp|cc|h|hpp|py|sh|cmake)|CMakeLists\.txt)$'
# Files of the work tree that git knows or would add, so that the figure is right before a commit.
lignes() {
    git ls-files -co --exclude-standard | grep -E "$motif" | grep "$@" |
        while read -r f; do if [ -f "$f" ]; then cat "$f"; fi; done | wc -l
}
tests=$(lignes '^tests/')
code=$(lignes -v '^tests/')
awk -v t="$tests" -v c="$code" \
    'BEGIN { printf "tests : %d lignes, reste : %d lignes, rapport %.2f (voulu : 0,22 à 0,36)\n", t, c, t / c }'
