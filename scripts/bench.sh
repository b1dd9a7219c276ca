#!/usr/bin/env bash
# The benchmarks, in one run:
#  - native (Release, no sanitizers): saving and loading long alarm lists and
#    one scheduler tick;
#  - the real program under Wine: start-up with 100, 1,000 and 10,000 stored
#    alarms, the settings engine saving and loading 10,000 alarms and re-saving
#    3,000 beside the system's profile functions, the firing delay of 20 alarms one second apart, idle CPU and
#    anonymous resident memory over a minute beside a bare one-second-timer
#    program, and the size of the shipped executable.
# Extra arguments go to the native benchmark (e.g. --benchmark_filter=Load).
# QUORVEL_IDLE_SECONDS shortens the idle measurement (default 60).
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
configure_and_build "$tree" "$toolchain" quorvel win32_benches
bin="$build_dir/$tree"
setup_wine
start_display
trap 'wineserver_cmd -k >/dev/null 2>&1 || true; stop_display' EXIT
export TZ=Europe/Berlin

"$WINE" "$bin/startup_bench.exe"
"$WINE" "$bin/profile_bench.exe"
"$WINE" "$bin/firing_bench.exe"

# --- idle cost: CPU time and anonymous resident memory of a program left
# alone, read from the kernel's view of its process.
idle_seconds="${QUORVEL_IDLE_SECONDS:-60}"
idle_dir="$build_dir/bench-idle"

# A folder holding TIVRA.INI with that many armed alarms, none due for years.
alarm_folder() {
    local count="$1" folder="$idle_dir/alarms-$1"
    rm -rf "$folder"; mkdir -p "$folder"
    awk -v n="$count" 'BEGIN {
        printf "[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n";
        for (i = 0; i < n; i++)
            printf "%d=%04d:%02d:%02d-%02d:%02d:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,Alarm %d\r\n",
                   i, 2030 + i % 7, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i;
    }' >"$folder/TIVRA.INI"
    echo "$folder"
}

# Nanoseconds on the CPU of all the process's threads: the clock-tick counts
# of /proc/PID/stat are 10 ms coarse, as much as an idle minute costs.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%.0f\n", ns}'; }
anon_kb() { awk '/^RssAnon:/ {print $2}' "/proc/$1/status"; }

# Starts a Windows program in a folder, lets it settle, then measures it
# while it idles. Prints "cpu-seconds anon-kilobytes".
measure_idle() {
    local exe="$1" folder="$2" pid=""
    (cd "$folder" && exec "$WINE" "$exe") >/dev/null 2>&1 &
    for _ in $(seq 100); do
        pid="$(pgrep -n -f "$(basename "$exe")" || true)"
        [ -n "$pid" ] && break
        sleep 0.1
    done
    sleep 10
    local before; before="$(cpu_ns "$pid")"
    sleep "$idle_seconds"
    local after; after="$(cpu_ns "$pid")"
    local anon; anon="$(anon_kb "$pid")"
    kill "$pid" 2>/dev/null || true
    wineserver_cmd -w 2>/dev/null || true
    awk -v t="$((after - before))" -v kb="$anon" 'BEGIN {printf "%.4f %d\n", t / 1e9, kb}'
}

mkdir -p "$idle_dir"
read -r bare_cpu bare_kb < <(measure_idle "$bin/bare_timer.exe" "$idle_dir")
read -r empty_cpu empty_kb < <(measure_idle "$bin/quorvel.exe" "$(alarm_folder 0)")
read -r full_cpu full_kb < <(measure_idle "$bin/quorvel.exe" "$(alarm_folder 10000)")
awk -v s="$idle_seconds" -v bc="$bare_cpu" -v ec="$empty_cpu" -v fc="$full_cpu" \
    -v bk="$bare_kb" -v ek="$empty_kb" -v fk="$full_kb" 'BEGIN {
    printf "\nIdle over %d s               bare 1-s timer    Quorvel, empty   Quorvel, 10,000 alarms\n", s;
    printf "CPU time                     %6.3f s (%.2f%%) %6.3f s (%.2f%%) %6.3f s (%.2f%%)\n",
           bc, 100 * bc / s, ec, 100 * ec / s, fc, 100 * fc / s;
    printf "CPU ratio to the bare timer  %9.2f          %9.2f          %9.2f\n", 1, (bc > 0 ? ec / bc : 0), (bc > 0 ? fc / bc : 0);
    printf "anonymous resident memory    %7.1f MB        %7.1f MB        %7.1f MB\n", bk / 1024, ek / 1024, fk / 1024;
    printf "memory per alarm above the empty program: %.0f bytes\n", (fk - ek) * 1024 / 10000;
}'

# --- size of the shipped (32-bit) executable, as built and stripped.
[ "$tree" = win64 ] && configure_and_build win32 mingw-i686.cmake quorvel
shipped="$build_dir/win32/quorvel.exe"
stripped="$idle_dir/quorvel-stripped.exe"
i686-w64-mingw32-strip -o "$stripped" "$shipped"
printf '\nquorvel.exe (32-bit): %d KB as built, %d KB stripped\n' \
    "$(( $(stat -c %s "$shipped") / 1024 ))" "$(( $(stat -c %s "$stripped") / 1024 ))"
