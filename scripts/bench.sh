#!/usr/bin/env bash
# The benchmarks: saving and loading long alarm lists and one scheduler tick
# (native, Release, no sanitizers), then the real program's start-up with
# 100, 1,000 and 10,000 stored alarms under Wine.
# Extra arguments go to the native benchmark (e.g. --benchmark_filter=Load).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
bash "$here/install-deps.sh"

cmake -S "$root_dir" -B "$build_dir/bench" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF >/dev/null
cmake --build "$build_dir/bench" -j2 --target quorvel_bench >/dev/null
"$build_dir/bench/quorvel_bench" --benchmark_counters_tabular=true "$@"

tree="$(windows_test_tree)"
toolchain=mingw-i686.cmake
[ "$tree" = win64 ] && toolchain=mingw-x86_64.cmake
configure_and_build "$tree" "$toolchain" quorvel startup_bench
setup_wine
start_display
trap 'wineserver_cmd -k >/dev/null 2>&1; stop_display' EXIT
"$WINE" "$build_dir/$tree/startup_bench.exe"
