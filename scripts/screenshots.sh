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
bin=$(readlink -f "${1:-build/quillhaven}")
home=$(mktemp -d /tmp/qh-shots-XXXXXX)
trap '[ -z "${pid:-}" ] || kill "$pid" 2>/dev/null; rm -rf "$home"' EXIT
export HOME=$home QH_LAYOUT_LOG=$home/layout.txt
mkdir -p docs

# Clicks button $2 of window $1 where the layout log last placed it.
click_button() {
    local at
    for _ in $(seq 1 50); do
        at=$(grep "^window $1 button $2 at " "$QH_LAYOUT_LOG" 2>/dev/null | tail -1 | cut -d' ' -f6-7)
        [ -n "$at" ] && break
        sleep 0.1
    done
    [ -n "$at" ] || { echo "window $1 has no button $2" >&2; exit 1; }
    sleep 1.2 # the window slides in
    xdotool mousemove --window "$win" $at click 1
}

# The title screen: past the intro, with the first window of a first start.
"$bin" >"$home/out.txt" 2>&1 &
pid=$!
for _ in $(seq 1 200); do
    grep -q "^window " "$QH_LAYOUT_LOG" 2>/dev/null && break
    sleep 0.1
done
grep -q "^window " "$QH_LAYOUT_LOG" || { cat "$home/out.txt"; echo "no window" >&2; exit 1; }
win=$(xdotool search --name "Role Playing Adventure" | head -1)
# A first start asks for a profile name and an avatar; then the main menu shows.
sleep 1.5
xdotool type --window "$win" --delay 80 "Ada"
xdotool key --window "$win" Return
click_button 8 6 # the avatar window's Accept
sleep 2.5 # the main menu slides in
import -window "$win" docs/title.png
echo "docs/title.png"

# A book page: "New Campaign", book 1's "Start", the rules window's "Start".
click_button 0 2
click_button 15 12
click_button 16 10
for _ in $(seq 1 100); do
    grep -q "^page 0 section " "$QH_LAYOUT_LOG" && break
    sleep 0.1
done
grep -q "^page 0 section " "$QH_LAYOUT_LOG" || { echo "no book page shown" >&2; exit 1; }
sleep 2
import -window "$win" docs/book-page.png
echo "docs/book-page.png"
kill "$pid"
wait "$pid" || true
pid=""
