#!/usr/bin/env bash
# Screenshots of book pages, for looking at the layout: section 74 of book 1
# (a combat and an illustration) and the first page of a new campaign, each
# at its top and scrolled to its end, at the window size the settings give.
#   bash scripts/page-shots.sh build/quillhaven OUT_PREFIX [WIDTH HEIGHT]
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) \
        -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
unset SDL_VIDEODRIVER
here=$(cd "$(dirname "$0")/.." && pwd)
out=${2:?usage: page-shots.sh quillhaven OUT_PREFIX [WIDTH HEIGHT]}
width=${3:-1280}
height=${4:-1024}
export QH_E2E_LIB="$here/tests/e2e/lib.sh"
source "$QH_E2E_LIB" "$(readlink -f "$1")"
source "$here/tests/e2e/combat_helpers.bash"
QH_SHOT=$out
settings() {
    mkdir -p "$QH_USER"
    printf 'WINDOWED_WIDTH %s\r\nWINDOWED_HEIGHT %s\r\n' "$width" "$height" >"$QH_USER/settings.txt"
}

prepare_fight 9
settings
start_window
resume_campaign
sleep 1.5
shot sect74-top
xdotool key --window "$win" End
sleep 1
shot sect74-end
quit_with_escape

# A new player on a fresh home: the first page of book 1.
rm -rf "$QH_USER"
settings
start_game
new_campaign_book1
sleep 1.5
shot first-top
xdotool key --window "$win" End
sleep 1
shot first-end
quit_with_escape
