#!/usr/bin/env bash
# Takes the README's screenshots from the built game under Xvfb, on a fresh
# temporary home folder, playing it with clicks found through the layout log,
# and writes them to docs/ (title.png; book-page.png, a page of book 1 a few
# sections in, with the hero's Action Chart beside it).
#   bash scripts/screenshots.sh [build/quillhaven]
set -euo pipefail
cd "$(dirname "$0")/.."
unset SDL_VIDEODRIVER
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) \
        -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
source scripts/drive-game.sh
trap 'stop_game; rm -rf "${QH_HOME:-/nonexistent}"' EXIT
mkdir -p docs

start_game "$(readlink -f "${1:-build/quillhaven}")"
first_start_to_menu
import -window "$QH_WIN" docs/title.png
echo "docs/title.png"
# A hero a few sections into book 1, made quickly by the text player (the
# opening, the zealot's fight, the way on); the window then resumes there.
stop_game
data="$(dirname "$QH_BIN_RUN")/data"
qhdata="$(dirname "$QH_BIN_RUN")/tools/qhdata"
printf '1\nnext\n1\n1\n1\n1\n1\nnext\n1\npick\n2\n5\n1\nequip 1\n1\n' |
    "$qhdata" play "$data" 1 --seed 9 >/dev/null
printf 'fight\n%.0s' 1 2 3 4 | "$qhdata" play "$data" 1 >/dev/null
printf '1\n1\n' | "$qhdata" play "$data" 1 >/dev/null
launch_game
click_button 47 51 2>/dev/null || true # the one-time question about update checks
click_button 0 1                       # "Resume Campaign"
wait_for_log "^page 0 section " 20 || { echo "no book page shown" >&2; exit 1; }
sleep 2
import -window "$QH_WIN" docs/book-page.png
echo "docs/book-page.png"
