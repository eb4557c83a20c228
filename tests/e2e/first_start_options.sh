#!/usr/bin/env bash
# A new player: the first start asks for a profile name, then an avatar, then
# shows the main menu. Options -> Video, raise the target frame rate twice,
# Apply, quit: settings.txt holds 40. Later starts skip the name entry.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"

"$QH_BIN" >"$QH_HOME/out1.txt" 2>&1 &
pid=$!
win=$(wait_for_window "Greystar - A Role Playing Adventure v1.17.0" 20) || fail "no window"
sleep 1
xdotool key --window "$win" Escape # skip the intro
for _ in $(seq 1 50); do grep -q "^window 1 " "$QH_LAYOUT_LOG" 2>/dev/null && break; sleep 0.1; done
grep -q "^window 1 " "$QH_LAYOUT_LOG" || fail "no name entry on the first start"
sleep 0.8
xdotool type --window "$win" --delay 60 "Aldric"
xdotool key --window "$win" Return
sleep 1
click_button 8 4 # next avatar
click_button 8 6 # accept
grep -q "^window 0 " "$QH_LAYOUT_LOG" || fail "no main menu after the avatar"
click_button 0 3  # Options
click_button 10 3 # Video Settings
click_button 11 23
click_button 11 23
click_button 11 999 # Apply
for _ in 1 2 3 4; do
    kill -0 "$pid" 2>/dev/null || break
    xdotool key --window "$win" Escape 2>/dev/null || true
    sleep 0.7
done
wait_for_exit "$pid" 20 || fail "still running after Escape"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
grep -q $'^TARGET_FPS          40      // range: 10 to 60\r$' "$QH_USER/settings.txt" ||
    fail "target FPS not saved: $(grep TARGET_FPS "$QH_USER/settings.txt")"
[ -f "$QH_USER/data/profiles/profiles.dat" ] || fail "no profile list"
"$(dirname "$QH_BIN")/tools/qhdata" cat "$QH_USER/data/profiles/profiles.dat" | grep -q "^NAME: Aldric" ||
    fail "profile name not kept"

# Second start: a profile exists, so no name is asked; the player has not yet
# been asked about update checks, so that question comes first, then the menu.
start_again() {
    rm -f "$QH_LAYOUT_LOG"
    "$QH_BIN" >>"$QH_HOME/out2.txt" 2>&1 &
    pid=$!
    win=$(wait_for_window "Greystar - A Role Playing Adventure v1.17.0" 20) || fail "no window on start $1"
    sleep 1
    xdotool key --window "$win" Escape
    for _ in $(seq 1 50); do grep -q "^window $2 " "$QH_LAYOUT_LOG" 2>/dev/null && break; sleep 0.1; done
    grep -q "^window $2 " "$QH_LAYOUT_LOG" || fail "start $1 did not open window $2"
    grep -q "^window 1 " "$QH_LAYOUT_LOG" && fail "start $1 asked for a name again"
    sleep 0.8
}
start_again 2 47
click_button 47 51 # no automatic update checks
grep -q "^window 0 " "$QH_LAYOUT_LOG" || fail "no main menu after the update question"
click_button 0 7 # Quit
wait_for_exit "$pid" 20 || fail "Quit did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
grep -q $'^SHOWN_AUTO_UPDATE_CHOICE 1 ' "$QH_USER/settings.txt" || fail "update choice not kept"

# Third start: straight to the main menu.
start_again 3 0
click_button 0 7
wait_for_exit "$pid" 20 || fail "Quit did not end the program"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "first_start_options: 1 passed, 0 failed"
