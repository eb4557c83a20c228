#!/usr/bin/env bash
# A fight interrupted between rounds: the player wins a round in the window
# and quits with Escape. The combat is still under way, so its pending-result
# file stays beside the resume save. "Resume Campaign" brings back the same
# page with the same enemy ENDURANCE, and the next round draws the number
# an uninterrupted game draws (the text player's, from the same save).
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
source "$(dirname "$QH_E2E_LIB")/combat_helpers.bash"

SEED=${QH_COMBAT_SEED:-9}
prepare_fight "$SEED"
expected=$(reference_rounds)
[ "$(wc -l <<<"$expected")" -ge 3 ] || fail "seed $SEED ends the fight too soon; pick another"

start_game
resume_campaign
fight_round 1
quit_with_escape
[ -e "$PENDING" ] || fail "quitting between rounds removed the pending-result file"
[ "1 $(saved_enemy_ep)" = "$(sed -n 1p <<<"$expected")" ] || fail "round 1 was not saved"
ep_before=$(saved_enemy_ep)

start_game
resume_campaign
shot resumed
[ "$(saved_enemy_ep)" = "$ep_before" ] || fail "the resumed game changed the enemy's ENDURANCE"
[ "$(saved_rounds)" = 1 ] || fail "the resumed game is not after round 1"
fight_round 2
[ "2 $(saved_enemy_ep)" = "$(sed -n 2p <<<"$expected")" ] ||
    fail "round 2 left the enemy at $(saved_enemy_ep), the uninterrupted game at $(sed -n 2p <<<"$expected")"
want=$(sed -n 2p "$QH_HOME/reference-numbers.txt")
got=$(saved_numbers | sed -n 2p)
[ "$got" = "$want" ] || fail "round 2 drew '$got', the uninterrupted game '$want'"
[ -e "$PENDING" ] || fail "the pending-result file went before the combat ended"
quit_with_escape
echo "combat_resume: 1 passed, 0 failed"
