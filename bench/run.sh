#!/usr/bin/env bash
# Builds the program and the minimal reference windows (release) and measures them.
# Arguments go to bench/run.py (--runs N, --seconds S).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh --test
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZ_BUILD_TESTS=OFF -DQZ_BUILD_BENCH=ON >/dev/null
cmake --build build/bench
exec /usr/bin/python3 bench/run.py --build build/bench "$@"
