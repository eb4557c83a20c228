#!/usr/bin/env bash
# Builds the libFuzzer programs of fuzz/ with clang (in build-fuzz) and runs
# each for a while: scripts/fuzz.sh [seconds per program, default 20] [names...].
# Skips, successfully, when clang or its fuzzer runtime is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
if ! command -v clang++ >/dev/null 2>&1; then
    echo "== Fuzzing skipped: clang++ is not installed"
    exit 0
fi
if ! clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a | grep -q /; then
    echo "== Fuzzing skipped: no libFuzzer runtime for clang"
    exit 0
fi

jobs=$(nproc 2>/dev/null || echo 2)
echo "== Fuzz build"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQH_FUZZ=ON -DQH_BUILD_TESTS=OFF -DQH_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_all -j"$jobs"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ $# -gt 0 ]; then
    names=("$@")
else
    names=()
    for exe in build-fuzz/fuzz/fuzz_*; do
        [ -x "$exe" ] && names+=("$(basename "$exe" | sed 's/^fuzz_//')")
    done
fi

failed=0
for name in "${names[@]}"; do
    corpus="$work/$name"
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
    # Findings land in the work folder; a failing input is printed below.
    if (cd "$work" && "$OLDPWD/build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" \
            -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
            -artifact_prefix="$work/$name-" "$corpus" "${seeds[@]/#/$OLDPWD/}" \
            >"$work/$name.log" 2>&1); then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" | grep -o '[0-9]*$' || echo "?")
        echo "fuzz_$name: $runs runs in ${seconds}s, no finding"
    else
        failed=1
        echo "fuzz_$name: FAILED"
        tail -40 "$work/$name.log"
        for a in "$work/$name"-*; do
            [ -f "$a" ] && { echo "-- input $a:"; head -c 2000 "$a" | od -c | head -30; }
        done
    fi
done
exit $failed
