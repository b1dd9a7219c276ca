#!/usr/bin/env bash
# Builds the program and starts it under Wine in the run folder (run/), on a
# virtual desktop with a taskbar so that its notification-area icon shows.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

"$here/install-deps.sh"
tree="$(windows_test_tree)"
configure_and_build win32 mingw-i686.cmake quorvel
if [ "$tree" = win64 ]; then
  echo "This kernel cannot run 32-bit x86 code: starting the 64-bit build of the same sources."
  configure_and_build win64 mingw-x86_64.cmake quorvel
fi
setup_wine

run_dir="$root_dir/run"
mkdir -p "$run_dir"
cp "$build_dir/$tree/quorvel.exe" "$run_dir/"
mkdir -p "$run_dir/speak"
cp -r "$build_dir/$tree/speak/." "$run_dir/speak/"
# The user guide beside the program, where Help finds it.
cp "$root_dir"/res/guide/* "$run_dir/"

if [ -z "${DISPLAY:-}" ]; then
  start_display
  echo "No DISPLAY: the program runs in the private Xvfb display $DISPLAY."
  echo "Look at it with:  DISPLAY=$DISPLAY import -window root screen.png"
  trap 'wineserver_cmd -k >/dev/null 2>&1; stop_display' EXIT
fi
echo "Starting quorvel.exe in $run_dir (settings: $run_dir/TIVRA.INI); Exit or Esc in its window ends it."
cd "$run_dir"
"$WINE" quorvel.exe
wineserver_cmd -w
