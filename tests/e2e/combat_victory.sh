#!/usr/bin/env bash
# A combat of book 1 fought to victory with the mouse. The text player walks
# the opening pages with a fixed seed and leaves the game at the fight of
# section 74; the window resumes it and the player clicks Fight round after
# round. Each round must take the enemy to the ENDURANCE an uninterrupted
# text-player game with the same seed reaches, and the won combat ends with
# no pending-result file and the resume save holding the victory.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
source "$(dirname "$QH_E2E_LIB")/combat_helpers.bash"

SEED=${QH_COMBAT_SEED:-9}
prepare_fight "$SEED"
expected=$(reference_rounds)
rounds=$(wc -l <<<"$expected")
[ "$rounds" -ge 2 ] || fail "seed $SEED gives a fight of $rounds round(s); pick another"
tail -1 <<<"$expected" | grep -q " 0$" || fail "seed $SEED does not win the fight"

start_game
resume_campaign
shot 1-page
for round in $(seq 1 "$rounds"); do
    fight_round "$round"
    want=$(sed -n "${round}p" <<<"$expected")
    got="$round $(saved_enemy_ep)"
    [ "$got" = "$want" ] || fail "after round $round the save holds '$got', the text player '$want'"
done
sleep 1
shot 4-won
grep -q "^WON: 1" <(saved_combat) || fail "the resume save does not hold the victory"
[ -e "$PENDING" ] && fail "the pending-result file outlived the won combat"
# The victory opens the way on: the page's next choice takes the player there.
click_page_button 3
for _ in $(seq 1 50); do page_line | grep -q "section sect118 " && break; sleep 0.1; done
page_line | grep -q "section sect118 " || fail "the way on from the won fight did not open"
quit_with_escape
echo "combat_victory: 1 passed, 0 failed"
