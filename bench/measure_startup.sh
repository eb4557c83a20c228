#!/usr/bin/env bash
# Start-up time to the first frame of the intro, measured by the program itself
# (QUILLHAVEN_REPORT_STARTUP=1) over several runs under one Xvfb server.
#   bash bench/measure_startup.sh [build/quillhaven] [runs]
# QH_SETTINGS_FILE=F starts every run on a copy of F as its settings file (for
# the cost of a huge or damaged one).
set -euo pipefail
unset SDL_VIDEODRIVER
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
bin=${1:-build/quillhaven}
runs=${2:-10}
home=$(mktemp -d /tmp/qh-startup-XXXXXX)
trap 'rm -rf "$home"' EXIT
times=()
for i in $(seq 1 "$runs"); do
    out="$home/run$i.txt"
    : >"$out"
    if [ -n "${QH_SETTINGS_FILE:-}" ]; then
        mkdir -p "$home/Documents/Quillhaven"
        cp "$QH_SETTINGS_FILE" "$home/Documents/Quillhaven/settings.txt"
    fi
    HOME=$home QUILLHAVEN_REPORT_STARTUP=1 "$bin" >"$out" 2>&1 &
    pid=$!
    for _ in $(seq 1 200); do
        grep -q "first intro frame" "$out" && break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    ms=$(sed -n 's/.*first intro frame: \([0-9]*\) ms.*/\1/p' "$out")
    [ -n "$ms" ] || { echo "run $i: no frame reported" >&2; cat "$out" >&2; exit 1; }
    times+=("$ms")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "start-up to first intro frame over $runs runs (ms): $(echo $sorted | tr '\n' ' ')"
echo "min $(echo "$sorted" | head -1) ms, median $(echo "$sorted" | sed -n "$(((runs + 1) / 2))p") ms, max $(echo "$sorted" | tail -1) ms"
