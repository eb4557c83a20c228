#!/usr/bin/env bash
# A fight of book 1 lost in the window: the hero falls to 0 ENDURANCE, the
# death window (43) opens with the book's lament and its choices, and its
# "Quit to system" ends the program cleanly. The game comes from the text
# player with a seed whose fight of section 74 the hero loses.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
source "$(dirname "$QH_E2E_LIB")/combat_helpers.bash"

lose_the_fight_of_74 "${QH_COMBAT_SEED:-1}"
sleep 1.5
shot death
[ "$("$QHDATA" cat "$RESUME" | sed -n 's/^STATS_EP_CUR: //p')" = 0 ] ||
    fail "the resume save does not hold the fallen hero"
[ -e "$PENDING" ] && fail "the pending-result file outlived the lost combat"
for b in 4 5 6; do
    grep -q "^window 43 button $b " "$QH_LAYOUT_LOG" || fail "the death window lacks button $b"
done
click_button 43 6 # Quit to system
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running after Quit to system"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "exit status $status"
echo "combat_death: 1 passed, 0 failed"
