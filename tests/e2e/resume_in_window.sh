#!/usr/bin/env bash
# A player begins a campaign, quits with Escape (the resume save is written),
# starts the program again and picks "Resume Campaign": the game comes back
# where it stopped, and the save reads as sound.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
mkdir -p "$QH_USER"

start_game
xdotool type --window "$win" --delay 60 "Aldric"
xdotool key --window "$win" Return
sleep 1
click_button 8 6   # accept the avatar
click_button 0 2   # New Campaign
click_button 15 12 # start book 1
click_button 16 10 # the gameplay rules: start
wait_for_page
first=$(page_line | awk '{print $4}')
[ -n "$first" ] || fail "no page shown"
sleep 1
shot 1-playing
quit_with_escape
[ -s "$QH_USER/data/profiles/resume1.dat" ] || fail "no resume save after Escape"
"$QHDATA" save-check "$(dirname "$QH_BIN")/data" "$QH_USER/data/profiles/resume1.dat" \
    "$QH_USER/data/misc/ts.dat" || fail "the resume save does not read"

start_game
click_button 47 51 # no automatic update checks: then the main menu
sleep 1
shot 2-menu
click_button 0 1 # Resume Campaign
wait_for_page
again=$(page_line | awk '{print $4}')
[ "$again" = "$first" ] || fail "resumed on $again, not $first"
sleep 1
shot 3-resumed
grep -q "Unable to load savegame" "$QH_HOME/out.txt" && fail "the save did not load"
quit_with_escape

# A damaged save: the game says so, starts afresh and keeps the file.
printf 'damaged' >"$QH_USER/data/profiles/resume1.dat"
start_game
click_button 0 1
sleep 3
shot 4-damaged
grep -q "^window 4 " "$QH_LAYOUT_LOG" || fail "the player was not told"
xdotool key --window "$win" Escape # the message
sleep 1
quit_with_escape
grep -q "Unable to load savegame. Tried to load resume1.dat..." "$QH_HOME/out.txt" ||
    fail "no diagnostic for the damaged save"
[ "$(cat "$QH_USER/data/profiles/resume1.dat")" = damaged ] || fail "the damaged save was overwritten"
echo "resume_in_window: 1 passed, 0 failed"
