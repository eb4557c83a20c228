#!/usr/bin/env bash
# A hero falls in the fight of book 1's section 74 and the player picks
# "Restart", then "Restart This Book": the death notice is gone with the
# restart, so the first page of the book takes the player's keys again.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
source "$(dirname "$QH_E2E_LIB")/combat_helpers.bash"

lose_the_fight_of_74 "${QH_COMBAT_SEED:-1}"
sleep 1.5
click_button 43 4 # Restart
sleep 1
messages=$(message_count)
click_button 41 3 # Restart This Book
wait_for_section sect1 10
answer_message $((messages + 1)) # "Book restarted!"
sleep 0.5
shot restarted
press_digit 1 # turn to 203
wait_for_section sect203 8
quit_with_escape
echo "death_restart: 1 passed, 0 failed"
