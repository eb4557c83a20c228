#!/usr/bin/env bash
# The running game under Xvfb at 1280x1024, played with clicks: CPU on the
# title screens (main menu over the slideshow, cross-fades included) and on a
# book page with nothing moving, as per cent of one core from the process's
# own ticks; the longest gap between two loop turns on each;
# the loop turn that enters play; resident memory while book 1 is open.
#   bash bench/measure_screens.sh [build/quillhaven] [title seconds] [play seconds]
# QH_TARGET_FPS=N runs it at another frame rate (settings' TARGET_FPS).
set -euo pipefail
cd "$(dirname "$0")/.."
unset SDL_VIDEODRIVER
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) \
        -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
source scripts/drive-game.sh
trap 'stop_game; rm -rf "${QH_HOME:-/nonexistent}"' EXIT
bin=$(readlink -f "${1:-build/quillhaven}")
title_s=${2:-40}
play_s=${3:-20}
hz=$(getconf CLK_TCK)

ticks() { awk '{ print $14 + $15 }' "/proc/$QH_PID/stat"; }
# Per cent of a core the game used over $1 seconds.
measure() {
    local t0 t1
    t0=$(ticks)
    sleep "$1"
    t1=$(ticks)
    python3 -c "print(f'{100.0 * ($t1 - $t0) / $hz / $1:.2f}')"
}

export QUILLHAVEN_REPORT_FRAMES=1
start_game "$bin"
first_start_to_menu
restart_to_menu # a start that goes straight to the menu: the title screens alone
title_cpu=$(measure "$title_s")
menu_to_book1
sleep 2
play_cpu=$(measure "$play_s")
rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$QH_PID/status")
stop_game
report=$(grep "^Frames:" "$QH_HOME/out.txt" || true)
[ -n "$report" ] || { cat "$QH_HOME/out.txt" >&2; echo "no frame report" >&2; exit 1; }
title_gap=$(sed -n 's/.*title [0-9]*, worst gap \([0-9]*\) ms.*/\1/p' <<<"$report")
play_gap=$(sed -n 's/.*play [0-9]*, worst gap \([0-9]*\) ms.*/\1/p' <<<"$report")
enter_ms=$(sed -n 's/.*entering play \([0-9]*\) ms.*/\1/p' <<<"$report")
echo "title_cpu_percent $title_cpu"
echo "title_worst_gap_ms $title_gap"
echo "play_cpu_percent $play_cpu"
echo "play_worst_gap_ms $play_gap"
echo "enter_play_ms $enter_ms"
echo "play_rss_mb $((rss_kb / 1024))"
echo "# $report"
