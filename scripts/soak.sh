#!/usr/bin/env bash
# Long runs: the simulated year of the unit tests with ten more seeds, then
# the real program under Wine (tests/soak). Each prints its figures. Extra
# arguments go to the soak program (e.g. --gtest_filter=Soak.Crash*).
# MINUTES sets how long the real program fires alarms (default 10):
# `make soak MINUTES=60`.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
"$here/install-deps.sh" || { echo "installing the build tools failed"; exit 1; }

# The seeds besides the one `make test` runs.
configure_and_build native "" unit_tests || exit 1
QUORVEL_YEAR_SEEDS="1 2 3 4 5 6 7 8 9 10" "$build_dir/native/unit_tests" --gtest_filter='SimulatedYearTest.*'
year_status=$?

tree="$(windows_test_tree)"
toolchain=mingw-i686.cmake
[ "$tree" = win64 ] && toolchain=mingw-x86_64.cmake
configure_and_build "$tree" "$toolchain" quorvel soak_tests || exit 1
setup_wine
start_display
trap 'wineserver_cmd -k >/dev/null 2>&1; stop_display' EXIT
export TZ=Europe/Berlin
if [ -n "${MINUTES:-}" ]; then export QUORVEL_SOAK_SECONDS=$((MINUTES * 60)); fi
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export QUORVEL_SCREENSHOTS="$(windows_path "$build_dir/screenshots")"
mkdir -p "$build_dir/screenshots"
"$WINE" "$build_dir/$tree/soak_tests.exe" "$@" && exit "$year_status"
