#!/usr/bin/env bash
# Takes the README's screenshots from the built game under Xvfb, on a fresh
# temporary home folder, playing it with clicks found through the layout log,
# and writes them to docs/ (title.png, book-page.png).
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
menu_to_book1
import -window "$QH_WIN" docs/book-page.png
echo "docs/book-page.png"
