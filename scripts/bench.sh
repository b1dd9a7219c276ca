#!/usr/bin/env bash
# Builds the store benchmark in a Release tree without sanitizers and runs it.
# Extra arguments go to the benchmark (e.g. --benchmark_filter=Load).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

BUILD=build/bench
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF >/dev/null
cmake --build "$BUILD" -j2 --target store_bench
"$BUILD/store_bench" --benchmark_counters_tabular=true "$@"
