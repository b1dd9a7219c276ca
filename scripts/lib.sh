# Shared helpers of the build and test scripts (sourced, not run).

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${QUORVEL_BUILD_DIR:-$root_dir/build}"

# True when this kernel can execute 32-bit x86 programs: a 91-byte i386 ELF
# that only calls exit(0) is written and started.
kernel_runs_32bit() {
  local probe
  probe="$(mktemp)"
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\133\000\000\000\133\000\000\000\005\000\000\000\000\020\000\000\061\300\100\061\333\315\200' > "$probe"
  chmod +x "$probe"
  local ok=1
  "$probe" >/dev/null 2>&1 && ok=0
  rm -f "$probe"
  return $ok
}

# The Windows tree whose programs run here: the shipped 32-bit build where
# 32-bit code runs, otherwise the 64-bit build of the same sources.
windows_test_tree() {
  if kernel_runs_32bit && [ -x /usr/lib/wine/wine ]; then echo win32; else echo win64; fi
}

wine_loader() {
  if [ "$(windows_test_tree)" = win32 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# A private Wine prefix in the build tree, made once, that shows every
# window on a 1024x768 virtual desktop with a taskbar (and so a
# notification area).
setup_wine() {
  local tree
  tree="$(windows_test_tree)"
  export WINEPREFIX="$build_dir/wineprefix-$tree"
  if [ "$tree" = win32 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINE="$(wine_loader)"
  if [ ! -f "$WINEPREFIX/.quorvel-ready-5" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # Windows drawn by Wine itself, frames included, as on Windows; with no
    # window manager in Xvfb the X11 driver's managed frames stay black.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Wine's own fonts (package fonts-wine): Marlett draws the caption
    # buttons and MS Sans Serif gives the dialogs the metrics their templates
    # were drawn for. Copied into the prefix, where a Wine build does not
    # find them by itself.
    if [ -d /usr/share/wine/fonts ]; then
      mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
      cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    # Sound through ALSA alone, whatever else the machine offers, so that
    # what the programs play can be sent to a file (capture_audio).
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
    wineserver_cmd -w
    touch "$WINEPREFIX/.quorvel-ready-5"
  fi
  set_wine_dpi 96  # also after a run that was cut short at another
}

# Sets the prefix's screen resolution in dots per inch (96 is 100 %, 144 is
# 150 %). Programs read it when they start, so every Wine process is ended
# first and the next ones all see the new value.
set_wine_dpi() {
  # No Wine server may be running: that is no failure (callers with set -e).
  wineserver_cmd -k >/dev/null 2>&1 || true
  wineserver_cmd -w || true
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || true
  wineserver_cmd -w || true
}

wineserver_cmd() {
  if [ -x /usr/lib/wine/wineserver64 ] && [ "$(windows_test_tree)" = win64 ]; then
    /usr/lib/wine/wineserver64 "$@"
  else
    /usr/lib/wine/wineserver "$@"
  fi
}

# Starts a private Xvfb display unless one is given; sets DISPLAY and
# XVFB_PID (empty when none was started).
start_display() {
  XVFB_PID=""
  if [ -n "${QUORVEL_DISPLAY:-}" ]; then export DISPLAY="$QUORVEL_DISPLAY"; return; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return; sleep 0.1; done
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Sends what the programs started from here on play to files instead of a
# sound card: ALSA's file plugin writes each stream's samples, as they reach
# the device, to the file, then to file.0001, file.0002, ...; ALSA's null
# device takes them on. Earlier captures are deleted. Fails where ALSA's
# own configuration is not found.
capture_audio() {  # file
  local file="$1" config="${1%/*}/asound.conf"
  [ -f /usr/share/alsa/alsa.conf ] && mkdir -p "${file%/*}" || return 1
  rm -f "$file" "$file".[0-9]*
  printf '</usr/share/alsa/alsa.conf>\npcm.!default { type file; slave.pcm "null"; file "%s"; format "raw"; truncate false }\n' \
    "$file" >"$config" || return 1
  export ALSA_CONFIG_PATH="$config"
}

configure_and_build() {  # tree, toolchain file or "", targets...
  local tree="$1" toolchain="$2"; shift 2
  local args=(-S "$root_dir" -B "$build_dir/$tree" -DCMAKE_BUILD_TYPE=Release)
  [ "$tree" = native ] && args=(-S "$root_dir" -B "$build_dir/$tree" -DCMAKE_BUILD_TYPE=Debug)
  [ -n "$toolchain" ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$root_dir/cmake/$toolchain")
  local log="$build_dir/build-$tree.log"
  mkdir -p "$build_dir"
  echo "Building $tree: $*"
  if ! { cmake "${args[@]}" && cmake --build "$build_dir/$tree" -j2 --target "$@"; } >"$log" 2>&1; then
    grep -E 'error|Error' "$log" | head -40
    echo "(the whole build output is in $log)"
    return 1
  fi
}
