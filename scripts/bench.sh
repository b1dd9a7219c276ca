#!/usr/bin/env bash
# The benchmarks, in one run:
#  - native (Release, no sanitizers): saving and loading long alarm lists,
#    one scheduler tick up to 65,535 alarms, and Add, Edit and Delete on a
#    list of 65,535 alarms from the command to the saved file;
#  - the real program under Wine: start-up with 1 to 65,535 stored
#    alarms, the settings engine saving and loading 10,000 alarms and re-saving
#    3,000 beside the system's profile functions, the firing delay of 20 alarms one second apart, wake-ups, idle
#    CPU and anonymous resident memory over a minute (window hidden and shown)
#    beside a bare one-second-timer program, the memory with 65,535 alarms,
#    and the size of the shipped executable.
# Extra arguments go to the native benchmark (e.g. --benchmark_filter=Load).
# QUORVEL_IDLE_SECONDS shortens the idle measurement (default 60).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
bash "$here/install-deps.sh"

cmake -S "$root_dir" -B "$build_dir/bench" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF >/dev/null
cmake --build "$build_dir/bench" -j2 --target quorvel_bench >/dev/null
echo "\$ build/bench/quorvel_bench --benchmark_counters_tabular=true   (Add/Edit/Delete target: 200 ms; tick: 1 ms)"
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

echo; echo "\$ wine startup_bench.exe"
"$WINE" "$bin/startup_bench.exe"
echo; echo "\$ wine profile_bench.exe"
"$WINE" "$bin/profile_bench.exe"
echo; echo "\$ wine firing_bench.exe   (target: max under 100 ms)"
"$WINE" "$bin/firing_bench.exe"

# --- idle cost: wake-ups, CPU time and anonymous resident memory of a
# program left alone, read from the kernel's view of its process (all its
# threads; the Wine server is a process of its own and is not counted).
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
# Times any thread of the process gave up the CPU to wait: each is a wake-up.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches:/ {n += $2} END {print n + 0}'; }
program_pid() {
    local candidate
    for candidate in $(pgrep -f "$1"); do
        if [ "$(cat /proc/"$candidate"/comm 2>/dev/null)" = "$1" ] &&
            tr '\0' '\n' <"/proc/$candidate/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$candidate"
            return
        fi
    done
}
anon_kb() { awk '/^RssAnon:/ {print $2}' "/proc/$1/status"; }

# Starts a Windows program in a folder, lets it settle (with "shown", starts
# it a second time, which shows the first copy's window), then measures it
# while it idles. Prints "cpu-seconds anon-kilobytes wake-ups".
measure_idle() {
    local exe="$1" folder="$2" mode="${3:-hidden}" seconds="${4:-$idle_seconds}" pid=""
    (cd "$folder" && exec "$WINE" "$exe") >/dev/null 2>&1 &
    # The Windows process is not the loader started here; it is told from
    # other copies by this run's Wine prefix. Start-up under Wine (the
    # notification area, the first ticks) settles within 20 s.
    sleep 20
    pid="$(program_pid "$(basename "$exe")")"
    if [ "$mode" = shown ]; then
        (cd "$folder" && "$WINE" "$exe") >/dev/null 2>&1 || true
        sleep 3
    fi
    local before; before="$(cpu_ns "$pid")"
    local woke; woke="$(wakeups "$pid")"
    sleep "$seconds"
    local after; after="$(cpu_ns "$pid")"
    local anon; anon="$(anon_kb "$pid")"
    woke=$(( $(wakeups "$pid") - woke ))
    kill "$pid" 2>/dev/null || true
    wineserver_cmd -w 2>/dev/null || true
    awk -v t="$((after - before))" -v kb="$anon" -v w="$woke" 'BEGIN {printf "%.4f %d %d\n", t / 1e9, kb, w}'
}

mkdir -p "$idle_dir"
read -r bare_cpu bare_kb bare_w < <(measure_idle "$bin/bare_timer.exe" "$idle_dir")
read -r empty_cpu empty_kb empty_w < <(measure_idle "$bin/quorvel.exe" "$(alarm_folder 0)")
read -r full_cpu full_kb full_w < <(measure_idle "$bin/quorvel.exe" "$(alarm_folder 10000)")
read -r shown_cpu shown_kb shown_w < <(measure_idle "$bin/quorvel.exe" "$(alarm_folder 10000)" shown)
read -r _ one_kb _ < <(measure_idle "$bin/quorvel.exe" "$(alarm_folder 1)" hidden 1)
read -r _ most_kb _ < <(measure_idle "$bin/quorvel.exe" "$(alarm_folder 65535)" hidden 1)
awk -v s="$idle_seconds" -v bc="$bare_cpu" -v ec="$empty_cpu" -v fc="$full_cpu" -v sc="$shown_cpu" \
    -v bk="$bare_kb" -v ek="$empty_kb" -v fk="$full_kb" -v sk="$shown_kb" \
    -v bw="$bare_w" -v ew="$empty_w" -v fw="$full_w" -v sw="$shown_w" -v ok="$one_kb" -v mk="$most_kb" 'BEGIN {
    m = 60 / s;
    printf "\nIdle over %d s, per minute    bare 1-s timer   Quorvel hidden,  Quorvel hidden,  Quorvel shown,\n", s;
    printf "                              (reference)      empty            10,000 alarms    10,000 alarms\n";
    printf "wake-ups (all threads)        %9.0f        %9.0f        %9.0f        %9.0f\n", bw * m, ew * m, fw * m, sw * m;
    printf "CPU time                      %8.1f ms      %8.1f ms      %8.1f ms      %8.1f ms\n",
           bc * 1000 * m, ec * 1000 * m, fc * 1000 * m, sc * 1000 * m;
    printf "CPU ratio to the bare timer   %9.2f        %9.2f        %9.2f        %9.2f\n", 1,
           (bc > 0 ? ec / bc : 0), (bc > 0 ? fc / bc : 0), (bc > 0 ? sc / bc : 0);
    printf "anonymous resident memory     %7.1f MB       %7.1f MB       %7.1f MB       %7.1f MB\n",
           bk / 1024, ek / 1024, fk / 1024, sk / 1024;
    printf "targets, hidden: at most 3 wake-ups a minute and 0.30 times the bare timer'"'"'s CPU\n";
    printf "one timer message costs the bare timer %.1f wake-ups here (each Wine server call may wait)\n", bw * m / 60;
    printf "memory per alarm above the empty program: %.0f bytes (10,000 alarms; target 400)\n", (fk - ek) * 1024 / 10000;
    printf "anonymous resident memory with 65,535 alarms: %.1f MB (with 1: %.1f MB; target 30 MB)\n", mk / 1024, ok / 1024;
}'
echo "(again: make bench, or QUORVEL_IDLE_SECONDS=N make bench; by hand: start quorvel.exe under Wine in a folder"
echo " with TIVRA.INI, start it there again to show the window, and read voluntary_ctxt_switches of"
echo " /proc/PID/task/*/status and /proc/PID/task/*/schedstat a minute apart)"

# --- size of the shipped (32-bit) executable, as built and stripped.
[ "$tree" = win64 ] && configure_and_build win32 mingw-i686.cmake quorvel
shipped="$build_dir/win32/quorvel.exe"
stripped="$idle_dir/quorvel-stripped.exe"
i686-w64-mingw32-strip -o "$stripped" "$shipped"
printf '\nquorvel.exe (32-bit): %d KB as built, %d KB stripped\n' \
    "$(( $(stat -c %s "$shipped") / 1024 ))" "$(( $(stat -c %s "$stripped") / 1024 ))"
