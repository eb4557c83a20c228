#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it on the bundled demo data.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"
exec ./build/quillhaven "$@"
