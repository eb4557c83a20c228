#!/usr/bin/env bash
# Book 1 finished without a fight: the text player brings a hero with Mind
# Over Matter to Morrac Vell (section 345) without a blow struck; the window
# resumes there, the player takes the Mind Over Matter way to the end, and
# earns award 1 with its medal; the summary congratulates, the profile keeps
# the award after the program starts again, and book 2 begins with the hero
# carried over.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
PROFILES="$QH_USER/data/profiles"

# Read whole (grep -q would stop the pipe early and fail it under pipefail).
award_one_earned() { "$QHDATA" cat "$PROFILES/profiles.dat" | tr -d '\r' | grep "^ *AWARD: 1 1$" >/dev/null; }

# Opening pages (Mind Over Matter, Hunting, Tracking, Healing, Mindblast),
# then 143, 88, 47, 120, 40, 151, 168, 250, 64, 211 (Hunting feeds him), 190,
# 277, 330, 59, 113 and 345: no fight on the way.
mkdir -p "$QH_USER"
printf '%s\n' 1 next 10 2 3 3 5 next 1 pick 9 1 equip 1 2 1 pick 1 2 2 2 1 pick 1 1 1 2 1 \
    pick 1 1 1 1 1 2 1 pick 1 1 quit |
    "$QHDATA" play "$DATA" 1 --seed 1 --new >"$QH_HOME/play.txt" 2>&1 || fail "the text player failed"
"$QHDATA" save-check "$DATA" "$PROFILES/resume1.dat" | grep "OK book 1 page sect345 " >/dev/null ||
    fail "the hero did not reach 345: $(tail -5 "$QH_HOME/play.txt")"
grep -q "Round 1" "$QH_HOME/play.txt" && fail "a fight was fought on the way"

start_game
xdotool type --window "$win" --delay 60 "Aldric"
xdotool key --window "$win" Return
sleep 1
click_button 8 6 # accept the avatar
click_button 0 1 # Resume Campaign
wait_for_section sect345 10
sleep 1
click_page_button 4 # Mind Over Matter: Morrac Vell goes into the Sennet
wait_for_section sect350 10
sleep 1.5
shot 1-medal
for _ in $(seq 1 50); do award_one_earned && break; sleep 0.1; done
award_one_earned || fail "award 1 is not in the saved profile"
click_page_button 1 # The End
for _ in $(seq 1 80); do grep -q "^window 4 caption 1 Congratulations!" "$QH_LAYOUT_LOG" && break; sleep 0.1; done
grep -q "^window 4 caption 1 Congratulations!" "$QH_LAYOUT_LOG" || fail "no end-of-book summary"
grep "^window 4 caption 2 " "$QH_LAYOUT_LOG" | grep -E 'You have completed Book[ `]1:' >/dev/null ||
    fail "the summary does not name the book"
sleep 1
shot 2-summary
click_button 4 3 # OK
sleep 1
quit_with_escape
"$QHDATA" save-check "$DATA" "$PROFILES/resume1.dat" | grep "OK book 2 " >/dev/null ||
    fail "book 2 did not begin: $("$QHDATA" save-check "$DATA" "$PROFILES/resume1.dat")"
[ -s "$PROFILES/campaign1.dat" ] || fail "no campaign save"

# The program again: the profile still holds the award, and the campaign
# goes on in book 2 with the hero of book 1.
start_game
click_button 47 51 # no automatic update checks: then the main menu
sleep 1
click_button 0 1 # Resume Campaign
wait_for_page 10
sleep 1
shot 3-book2
quit_with_escape
award_one_earned || fail "the award was lost after a restart of the program"
"$QHDATA" save-check "$DATA" "$PROFILES/resume1.dat" | grep "OK book 2 " >/dev/null || fail "not in book 2 after a restart"
echo "award_book_one: 1 passed, 0 failed"
