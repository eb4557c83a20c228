#!/usr/bin/env bash
# Instructions per scale, ours against pixman, counted by callgrind: unlike
# wall-clock time the count does not move when other programs load the
# machine. Counts are inclusive (allocation and page clearing of the new
# picture included) and divided by the number of calls.
#   bash bench/measure_scaler.sh [build]
set -euo pipefail
build=${1:-build}
out=$(mktemp -d /tmp/qh-callgrind-XXXXXX)
trap 'rm -rf "$out"' EXIT
# Instructions per call of the functions matching $2 while benchmark $1 runs.
per_call() {
    valgrind --tool=callgrind --callgrind-out-file="$out/cg" --toggle-collect="$2" \
        "$build/bench/bench_image_scale" --benchmark_filter="$1" --benchmark_min_time=0.001 \
        >/dev/null 2>&1
    python3 - "$out/cg" "$2" <<'PY'
import re, sys, fnmatch
names, calls, total, pending = {}, 0, 0, None
for line in open(sys.argv[1]):
    if line.startswith("summary:"):
        total = int(line.split()[1])
    m = re.match(r"cfn=\((\d+)\)(?: (.*))?", line)
    if m:
        if m.group(2): names[m.group(1)] = m.group(2).strip()
        pending = names.get(m.group(1), "")
        continue
    if line.startswith("calls=") and pending is not None:
        if fnmatch.fnmatch(pending, sys.argv[2]): calls += int(line.split()[0][6:])
        pending = None
print(total // max(calls, 1), calls)
PY
}
printf "%-18s %14s %14s %6s\n" case ours pixman ratio
for c in "Skin/1280/1024" "Skin/800/600" "TitleMap/616/616"; do
    read -r ours _ < <(per_call "BM_Scale$c\$" 'scaleImageTo*')
    read -r comp _ < <(per_call "BM_Pixman$c\$" 'pixman_image_composite32')
    read -r make _ < <(per_call "BM_Pixman$c\$" 'pixman_image_create_bits')
    theirs=$((comp + make))
    printf "%-18s %14d %14d %6s\n" "$c" "$ours" "$theirs" "$(python3 -c "print(f'{$ours/$theirs:.2f}')")"
done
