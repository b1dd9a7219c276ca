#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   FUZZ_SECONDS  seconds per target (default 60)
#   FUZZ_RUNS     stop a target after this many executions instead (optional)
# The corpus of each target is kept in build/fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh fuzz

BUILD=build/fuzz
SECONDS_PER_TARGET="${FUZZ_SECONDS:-60}"
TARGETS=(fuzz_stored_value fuzz_editor_fields fuzz_profile_document)

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON >/dev/null
cmake --build "$BUILD" -j2 --target "${TARGETS[@]}"

seed() {
    local dir="$1" name="$2" text="$3"
    [ -e "$dir/$name" ] || printf '%b' "$text" >"$dir/$name"
}

status=0
for target in "${TARGETS[@]}"; do
    corpus="$BUILD/corpus/$target"
    mkdir -p "$corpus"
    case "$target" in
    fuzz_stored_value)
        seed "$corpus" example '1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,D:\\SOUNDS\\DING.WAV,notepad.exe notes.txt,D:\\WORK,Time for a break'
        seed "$corpus" escaped '2001:01:01-00:00:00,3,0,2, 0:-1:-30:00,2:00:00:00,a%2Cb,c%25,d,e%2c f' ;;
    fuzz_editor_fields)
        seed "$corpus" fields '0:45:00\00103 \xe4\xed\xe5\xe9\0011:30:00\001Mon 05.01.98\0017:05:00'
        seed "$corpus" placeholder '6:00:00\00100\0010:00:00\001--- --.--.--\001-:--:--' ;;
    fuzz_profile_document)
        seed "$corpus" ini '[Options]\r\nColumn=130,124\r\nFlags=1\r\n[AlarmList]\r\n0=x\r\n1 = "y" \r\n; note\r\n[Speak]\n1=a.wav\n' ;;
    esac
    args=(-max_total_time="$SECONDS_PER_TARGET" -print_final_stats=1 -max_len=8192)
    if [ -n "${FUZZ_RUNS:-}" ]; then
        args+=(-runs="$FUZZ_RUNS")
    fi
    echo "== $target"
    if ! "$BUILD/$target" "${args[@]}" "$corpus" 2>"$BUILD/$target.log"; then
        status=1
        tail -n 40 "$BUILD/$target.log"
    fi
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$BUILD/$target.log" || true
done
exit "$status"
