#!/usr/bin/env bash
# Installs what is missing, builds the game twice (normal, and with the address
# and undefined-behaviour sanitizers) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

echo "== Normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
echo "== Tests (unit and end-to-end)"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 300)

echo "== Sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQH_SANITIZE=ON -DQH_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
echo "== Unit tests under the sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j"$jobs" -LE e2e --timeout 600)
