#!/usr/bin/env bash
# Builds everything and runs every suite: the native unit tests (with
# AddressSanitizer and UBSan), the same unit tests as a Windows program under
# Wine, the integration tests that drive the real program under Wine in a
# private Xvfb display, and the tests of the packages (scripts/package.sh):
# the installer and the unpacked zip, run as a user would. Ends with one
# line: "N passed, N failed".
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

"$here/install-deps.sh" || { echo "installing the build tools failed"; exit 1; }

logs="$build_dir/test-logs"
rm -rf "$logs"; mkdir -p "$logs"
export QUORVEL_SCREENSHOTS="$build_dir/screenshots"
rm -rf "$QUORVEL_SCREENSHOTS"; mkdir -p "$QUORVEL_SCREENSHOTS/144dpi"
# The integration tests that save screenshots: between them every window.
screenshot_tests='Program.StartsHidden*:Program.ExitEsc*:Editor.*:AlarmList.*:Firing.DueAlarms*:Notices.*'
# Every suite runs in one known time zone with daylight saving.
export TZ=Europe/Berlin
# The unit tests read the shipped voice themes from the source tree.
export QUORVEL_SOURCE_DIR="$root_dir"

tree="$(windows_test_tree)"
status=0
build() { configure_and_build "$@" || { echo "BUILD FAILED: $1"; status=1; }; }
build native "" unit_tests
build win32 mingw-i686.cmake quorvel unit_tests
if [ "$tree" = win64 ]; then
  echo "This kernel cannot run 32-bit x86 code: the Windows suites run on the 64-bit build of the same sources."
  build win64 mingw-x86_64.cmake quorvel unit_tests integration_tests
else
  build win32 mingw-i686.cmake integration_tests
fi
# The packages, and the zip unpacked afresh as a user would. Where 32-bit
# code cannot run, the package tests take the same packages of the 64-bit
# build.
echo "Packaging"
portable="$build_dir/portable"
rm -rf "$portable"
package_dist="$root_dir/dist"
[ "$tree" = win64 ] && package_dist="$build_dir/dist-win64"
if bash "$here/package.sh" >"$build_dir/package.log" 2>&1 &&
   { [ "$tree" = win32 ] || bash "$here/package.sh" win64 >>"$build_dir/package.log" 2>&1; } &&
   unzip -q "$package_dist"/quorvel-*-"$tree".zip -d "$portable"; then
  grep -A2 '^Packages' "$build_dir/package.log"
else
  tail -20 "$build_dir/package.log"
  echo "PACKAGING FAILED (see $build_dir/package.log)"
  status=1
fi

run_suite() {  # name, command...
  local name="$1"; shift
  echo "=== $name"
  "$@" >"$logs/$name.log" 2>&1
  local rc=$?
  grep -E '^\[  (FAILED|PASSED|SKIPPED) ' "$logs/$name.log" | grep -v -E '\] [A-Za-z_0-9/.]+\.[A-Za-z_0-9/]+' || true
  grep -E '^\[  FAILED  \] [A-Za-z_0-9/]+\.' "$logs/$name.log" | sort -u || true
  if ! grep -q -E '^\[  PASSED  \] [0-9]+ test' "$logs/$name.log"; then
    echo "$name did not finish (exit code $rc); see $logs/$name.log"
    tail -20 "$logs/$name.log"
    echo "[  FAILED  ] 1 test, $name did not finish" >>"$logs/$name.log"
  fi
}

if [ -x "$build_dir/native/unit_tests" ]; then
  run_suite native-unit "$build_dir/native/unit_tests"
fi

setup_wine
start_display
trap 'wineserver_cmd -k >/dev/null 2>&1; stop_display' EXIT
# Windows programs see the Unix file system as drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export QUORVEL_SCREENSHOTS_UNIX="$QUORVEL_SCREENSHOTS"
export QUORVEL_SCREENSHOTS="$(windows_path "$QUORVEL_SCREENSHOTS")"
export QUORVEL_SOURCE_DIR="$(windows_path "$root_dir")"
# What the programs play goes to a file, not to a sound card the machine
# may not have (kept for listening to a run by hand).
capture_audio "$build_dir/audio/capture.raw" || true
if [ -f "$build_dir/$tree/unit_tests.exe" ]; then
  run_suite wine-unit "$WINE" "$build_dir/$tree/unit_tests.exe"
fi
if [ -f "$build_dir/$tree/integration_tests.exe" ]; then
  run_suite wine-integration "$WINE" "$build_dir/$tree/integration_tests.exe" --gtest_filter=-Package.*
  # The tests that take screenshots of every window run again at 150 %
  # (144 DPI), their screenshots kept apart.
  set_wine_dpi 144
  QUORVEL_SCREENSHOTS="$QUORVEL_SCREENSHOTS\\144dpi" run_suite wine-integration-144dpi \
    "$WINE" "$build_dir/$tree/integration_tests.exe" --gtest_filter="$screenshot_tests"
  set_wine_dpi 96
fi

# The package tests run the installer and program. Meanwhile .htm files
# open in the test helper, which records how it was started (Help opens the
# user guide); the prefix's own association is put back after.
if [ -d "$portable/Quorvel" ]; then
  export QUORVEL_INSTALLER="$(windows_path "$(ls "$package_dist"/quorvel-*-setup.exe)")"
  export QUORVEL_PORTABLE="$(windows_path "$portable/Quorvel")"
  saved_htm="$(windows_path "$build_dir/htm-association.reg")"
  "$WINE" reg export 'HKCR\.htm' "$saved_htm" /y >/dev/null 2>&1 || saved_htm=""
  "$WINE" reg add 'HKCR\.htm' /ve /d QuorvelTest.Guide /f >/dev/null 2>&1
  viewer="\"$(windows_path "$build_dir/$tree/qv_helper.exe")\" guide \"%1\""
  "$WINE" reg add 'HKCR\QuorvelTest.Guide\shell\open\command' /ve /d "$viewer" /f >/dev/null 2>&1
  run_suite wine-package "$WINE" "$build_dir/$tree/integration_tests.exe" --gtest_filter=Package.*
  "$WINE" reg delete 'HKCR\QuorvelTest.Guide' /f >/dev/null 2>&1
  "$WINE" reg delete 'HKCR\.htm' /f >/dev/null 2>&1
  [ -n "$saved_htm" ] && "$WINE" reg import "$saved_htm" >/dev/null 2>&1
fi
wineserver_cmd -k >/dev/null 2>&1 || true

# Screenshots are kept as PNG beside the BMPs the tests wrote.
for bmp in "$QUORVEL_SCREENSHOTS_UNIX"/*.bmp "$QUORVEL_SCREENSHOTS_UNIX"/144dpi/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null
done

passed=0; failed=0
for log in "$logs"/*.log; do
  [ -e "$log" ] || continue
  p=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | awk '{s+=$4} END {print s+0}')
  f=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | awk '{s+=$4} END {print s+0}')
  passed=$((passed + p)); failed=$((failed + f))
done
[ "$status" -ne 0 ] && failed=$((failed + 1))
echo "Screenshots: $QUORVEL_SCREENSHOTS_UNIX"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
