#!/usr/bin/env bash
# A player turns on the digit keys' labels in the Misc options window with the
# mouse, starts a campaign, and sees a digit before each choice: the choices
# stand further right than without the option, the digit keys still press them,
# and the option is kept in settings.txt.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="${QH_KEEP_LOG:-$QH_HOME/layout.txt}"
mkdir -p "$QH_USER"
# QH_WINDOW="1280 1024" plays in a window of that size (800 x 600 by default).
if [ -n "${QH_WINDOW:-}" ]; then
    set -- $QH_WINDOW
    printf 'WINDOWED_WIDTH %s\r\nWINDOWED_HEIGHT %s\r\n' "$1" "$2" >"$QH_USER/settings.txt"
fi

# The centre x of each button of the Disciplines page, in log order.
disciplines_buttons_x() {
    click_tab 1
    wait_for_section discplnz
    sleep 0.5
    xdotool key --window "$win" Home
    sleep 0.4
    page_buttons | awk '{print $6}' | tr '\n' ' '
}

# Without the option.
start_game
new_campaign_book1
plain=$(disciplines_buttons_x)
[ -n "$plain" ] || fail "the Disciplines page shows no buttons"
quit_with_escape
grep -q $'^SHOW_CHOICE_DIGITS 0 ' "$QH_USER/settings.txt" || fail "the option is not written off"

# The option by mouse, from the title screen's menu.
start_game
sleep 0.5
if grep -q "^window 47 " "$QH_LAYOUT_LOG"; then click_button 47 51; fi # no update checks
click_button 0 3   # Options
click_button 10 6  # Misc. Settings
click_button 14 125
click_button 14 10 # Accept
click_button 10 7  # Back
click_button 0 2   # New Campaign
click_button 4 3   # over the one saved: Continue
click_button 15 12 # start book 1
click_button 16 10 # the gameplay rules: start
wait_for_page
sleep 0.5
shot first
digits=$(disciplines_buttons_x)
read -r -a a <<<"$plain"
read -r -a b <<<"$digits"
[ ${#a[@]} = ${#b[@]} ] || fail "the page has other buttons with the digits ($plain / $digits)"
moved=0
for i in "${!a[@]}"; do
    [ "${b[$i]}" -ge "${a[$i]}" ] || fail "button $i moved left with the digits (${a[$i]} -> ${b[$i]})"
    [ "${b[$i]}" -gt "${a[$i]}" ] && moved=$((moved + 1))
done
[ "$moved" -gt 0 ] || fail "no choice made room for its digit ($plain)"
# The digits still press the choices they label.
scroll_to_page_button 1
sleep 0.5
shot discplnz
press_digit 1
at=($(page_button_at 1))
[ "${at[2]:-}" = 0 ] || fail "the digit 1 did not take the Discipline it labels"
shot pressed
quit_with_escape
grep -q $'^SHOW_CHOICE_DIGITS 1 // 1 = show the digit key beside each choice\r$' \
    "$QH_USER/settings.txt" || fail "the option is not kept: $(grep SHOW_CHOICE "$QH_USER/settings.txt")"
echo "choice_digits: 1 passed, 0 failed"
