#!/usr/bin/env bash
# A player with an almost full Backpack plays book 1 in the window with the
# mouse and the digit keys: the Keeper's Cordial fills the Backpack, the
# armoury's Sword is taken, and its Rope is refused with the Backpack's
# message; the resume save keeps the Sword and not the Rope.
# The hero comes from the text player (opening pages with a fixed seed, the
# Camouflage that brings section 262 back to the Keeper), and his save gets
# four more Backpack articles, as a player who gathered them would have.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
RESUME="$QH_USER/data/profiles/resume1.dat"
# Camouflage and four more Disciplines, the scores, the Backpack with its
# Meal, the Axe and two Meals; the Axe wielded; then "Begin".
OPENING='1\nnext\n1\n1\n1\n1\n1\nnext\n1\npick\n1\n5\nequip 1\n1\n'

mkdir -p "$QH_USER"
printf "$OPENING" | "$QHDATA" play "$DATA" 1 --seed 4 >"$QH_HOME/opening.txt" 2>&1 ||
    fail "the text player could not play the opening"
grep -q "^(game saved: book 1, section 1," "$QH_HOME/opening.txt" ||
    fail "the opening did not end at section 1: $(tail -3 "$QH_HOME/opening.txt")"

# The item IDs the save lists under $2 ("WEAPONS:", "BACKPACK_ITEMS:" ...) of text $1.
ids_in() {
    awk -v key="$2" '/^[^ ]/{inside = ($1 == key)} inside && $1 == "ID:" {print $2}' <<<"$1" |
        tr '\n' ' '
}
text=$("$QHDATA" cat "$RESUME")
[ "$(ids_in "$text" BACKPACK_ITEMS:)" = "11 11 11 " ] ||
    fail "the opening's Backpack is not three Meals: $(ids_in "$text" BACKPACK_ITEMS:)"
# Four more Meals, each a record like the ones the save holds.
meal=$'    ID: 11\n        EQUIPPED: 0\n        USES: 1\n        EARMARK: 0\n        ZEJAR_DULAGA: 0\n        DESSI_STONE: 0\n    END'
awk -v meal="$meal" '
    /^BACKPACK_ITEMS:/ {print "BACKPACK_ITEMS: " $2 + 4; for (i = 0; i < 4; i++) print meal; next}
    {print}' <<<"$text" >"$QH_HOME/resume.txt"
"$QHDATA" encode "$QH_HOME/resume.txt" "$RESUME" || fail "the save could not be written back"
[ "$(ids_in "$("$QHDATA" cat "$RESUME")" BACKPACK_ITEMS:)" = "11 11 11 11 11 11 11 " ] ||
    fail "the edited save does not hold seven Meals"

start_game
resume_campaign_at sect1

press_digit 4 # turn to 143: the ledge
wait_for_section sect143
messages=$(message_count)
click_page_button 1 # Pick: 0 to 3 falls to 262, 4 and more (Camouflage adds 1) reaches 88
sleep 2
click_at 20 20 # the table's pick shown: a click closes it
answer_message $((messages + 1))
sleep 0.5
scroll_to_page_button 3
at=($(page_button_at 3))
if [ "${at[2]:-0}" = 1 ]; then
    click_page_button 3
else
    click_page_button 2
    wait_for_section sect262
    press_digit 2 # Camouflage: 305
    wait_for_section sect305
    click_page_button 1
fi
wait_for_section sect88
shot 88
click_page_button 4 # the armoury
wait_for_section sect124
messages=$(message_count)
click_page_button 2 # the Sword
[ "$(message_count)" = "$messages" ] || fail "taking the Sword raised a message: $(grep '^message ' "$QH_LAYOUT_LOG" | tail -1)"
click_page_button 8 # the Rope: no room
for _ in $(seq 1 40); do
    [ "$(message_count)" -gt "$messages" ] && break
    sleep 0.1
done
refusal=$(grep "^message " "$QH_LAYOUT_LOG" | tail -1)
[ "$refusal" = 'message Your Backpack is too full``Discard an item to pick this up|You do not have enough room in your Backpack.`(You can carry a maximum of 8 articles)' ] ||
    fail "no Backpack refusal: $refusal"
sleep 1
shot refusal
answer_message $((messages + 1))
press_digit 9 # turn to 156
wait_for_section sect156
shot 156
quit_with_escape

text=$("$QHDATA" cat "$RESUME")
weapons=" $(ids_in "$text" WEAPONS:)" backpack=" $(ids_in "$text" BACKPACK_ITEMS:)"
[[ "$weapons" == *" 7 "* ]] || fail "the save lacks the Sword (weapons:$weapons)"
[[ "$backpack" == *" 294 "* ]] || fail "the save lacks the Keeper's Cordial (backpack:$backpack)"
[[ "$backpack" == *" 17 "* ]] && fail "the refused Rope is in the save (backpack:$backpack)"
[ "$(wc -w <<<"$backpack")" = 8 ] || fail "the Backpack does not hold eight articles:$backpack"
echo "full_backpack: 1 passed, 0 failed"
