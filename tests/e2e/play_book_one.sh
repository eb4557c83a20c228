#!/usr/bin/env bash
# A new player plays the opening pages and the first sections of book 1 in the
# window, with the mouse and with the digit keys: scores, Disciplines and
# equipment, then choices that turn the page; the resume save keeps what the
# hero took.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="${QH_KEEP_LOG:-$QH_HOME/layout.txt}"
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
mkdir -p "$QH_USER"

start_game
new_campaign_book1
wait_for_section gamerulz
click_page_button 1 # the scores: two picks of the table
sleep 1
shot gamerulz
click_tab 1
wait_for_section discplnz
for b in 1 2 3 4; do click_page_button $b; done
press_digit 5 # Healing, from the keyboard
shot discplnz
open_equipment_and_take_the_pack
click_page_button 3  # the Axe
press_digit 9        # the Emberleaf Cordial
shot equipmnt
click_page_button 12 # Begin the adventure
wait_for_section sect1
shot sect1
press_digit 1 # turn to 203
wait_for_section sect203
click_page_button 2 # turn to 143
wait_for_section sect143
messages=$(message_count)
press_digit 1 # Pick: the table decides between 262 and 88
sleep 2
click_at 20 20
answer_message $((messages + 1))
sleep 0.5
shot sect143
scroll_to_page_button 3 # a fresh layout after the pick changed the choices
at=($(page_button_at 3))
if [ "${at[2]:-0}" = 1 ]; then next=88 b=3; else next=262 b=2; fi
click_page_button $b
wait_for_section sect$next
shot sect$next
quit_with_escape

save="$QH_USER/data/profiles/resume1.dat"
[ -f "$save" ] || fail "no resume save"
text=$("$QHDATA" cat "$save")
# The item IDs the save lists under $1 ("WEAPONS:", "BACKPACK_ITEMS:" ...).
ids_in() {
    awk -v key="$1" '/^[^ ]/{inside = ($1 == key)} inside && $1 == "ID:" {print $2}' <<<"$text" | tr '\n' ' '
}
weapons=" $(ids_in WEAPONS:)" backpack=" $(ids_in BACKPACK_ITEMS:)"
[[ "$weapons" == *" 6 "* ]] || fail "the save lacks the Axe (weapons:$weapons)"
[[ "$backpack" == *" 11 "* ]] || fail "the save lacks the Meal (backpack:$backpack)"
[[ "$backpack" == *" 294 "* ]] || fail "the save lacks the Emberleaf Cordial (backpack:$backpack)"
echo "play_book_one: 1 passed, 0 failed"
