#!/usr/bin/env bash
# Every figure of the game's speed in one table: builds what is missing, runs
# every benchmark program of bench/ and the measures of the running game
# (start-up, idle CPU on the title and play screens, frame gaps, memory).
#   bash bench/run-all.sh [build dir]          (QH_TARGET_FPS=N to change the frame rate)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
out=$(mktemp -d /tmp/qh-bench-XXXXXX)
trap 'rm -rf "$out"' EXIT

echo "Running the benchmarks (a few minutes)..." >&2
for program in "$build"/bench/bench_*; do
    [ -x "$program" ] || continue
    name=$(basename "$program")
    "$program" --benchmark_min_time=0.2 --benchmark_format=json >"$out/$name.json" 2>/dev/null ||
        echo "$name failed" >&2
done
bash bench/measure_startup.sh "$build/quillhaven" 10 >"$out/startup.txt"
bash bench/measure_screens.sh "$build/quillhaven" 40 20 2>/dev/null >"$out/screens.txt"

python3 - "$out" <<'PY'
import glob, json, os, re, sys
out = sys.argv[1]
runs = {}
for path in sorted(glob.glob(os.path.join(out, "bench_*.json"))):
    try:
        data = json.load(open(path))
    except ValueError:
        continue
    for b in data.get("benchmarks", []):
        if b.get("run_type") == "aggregate":
            continue
        ms = b["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        # A benchmark that times each case itself reports its median.
        if "median_us" in b:
            ms = b["median_us"] / 1000.0
        runs[(os.path.basename(path)[:-5], b["name"])] = ms
        if "first_frame_ms" in b:
            runs[(os.path.basename(path)[:-5], "first play frame after the cover")] = b["first_frame_ms"]

def first(program_prefix, pattern):
    for (program, name), ms in runs.items():
        if program.startswith(program_prefix) and re.search(pattern, name):
            return ms, f"{program} {name}"
    return None, None

screens = dict(line.split()[:2] for line in open(os.path.join(out, "screens.txt"))
               if line.strip() and not line.startswith("#"))
m = re.search(r"median (\d+) ms", open(os.path.join(out, "startup.txt")).read())
startup = float(m.group(1)) if m else None

def ms(v): return "not measured" if v is None else (f"{v:.3f} ms" if v < 10 else f"{v:.0f} ms")
rows = [("start-up to the first frame (median of 10)", ms(startup), "< 300 ms", "bench/measure_startup.sh")]
turn, src = first("bench_section_turn", r".")
if turn is None: turn, src = first("bench_section_", r"[Tt]urn")
rows.append(("section turn, median of book 1 (load, script, lay out)", ms(turn), "< 5 ms", src or "bench_section_turn not built yet"))
draw, src = first("bench_frame_draw", r"BM_PlayFrame/1")
rows.append(("full frame draw at 1280x1024", ms(draw), "< 5 ms", src or "bench_frame_draw not built yet"))
first_frame, src = first("bench_frame_draw", r"first play frame")
rows.append(("first play frame after the cover", ms(first_frame), "", src or ""))
conv, src = first("bench_section_text", r".")
rows.append(("section XHTML to words (part of a turn)", ms(conv), "", src or ""))
for key, label, target in [
        ("title_cpu_percent", "idle CPU, main menu over the title slideshow (40 s)", "< 1.5 %"),
        ("play_cpu_percent", "idle CPU, book page with nothing moving (20 s)", "< 1 %")]:
    rows.append((label, screens.get(key, "?") + " % of a core", target, "bench/measure_screens.sh"))
rows.append(("worst frame gap on the title screens (40 s)", screens.get("title_worst_gap_ms", "?") + " ms", "< 45 ms", "bench/measure_screens.sh"))
rows.append(("worst frame gap on the book page (20 s)", screens.get("play_worst_gap_ms", "?") + " ms", "< 45 ms", "bench/measure_screens.sh"))
rows.append(("loop turn that enters play (cover shown)", screens.get("enter_play_ms", "?") + " ms", "", "bench/measure_screens.sh"))
rows.append(("resident memory while playing book 1", screens.get("play_rss_mb", "?") + " MB", "< 100 MB", "bench/measure_screens.sh"))

w = [max(len(r[i]) for r in rows + [("measure", "figure", "target", "from")]) for i in range(4)]
fmt = "| " + " | ".join("{:%d}" % x for x in w) + " |"
print(fmt.format("measure", "figure", "target", "from"))
print("|" + "|".join("-" * (x + 2) for x in w) + "|")
for r in rows: print(fmt.format(*r))
print()
print("Every benchmark (real time per iteration):")
for (program, name), v in runs.items():
    print(f"  {program:22} {name:48} {ms(v)}")
PY
