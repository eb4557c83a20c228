#!/usr/bin/env bash
# A new player starts a campaign from the main menu and reaches the first page
# of book 1; the wheel, the arrow keys, Home and End and the scroll bar move the
# sheet, and the layout log tells where the page and its buttons are.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="${QH_KEEP_LOG:-$QH_HOME/layout.txt}"
mkdir -p "$QH_USER"

start_game
new_campaign_book1
sleep 1
shot first
set -- $(page_line)
px=$6 py=$7 pw=$8 ph=$9 max=${13}
[ "$max" -gt 0 ] || fail "the first page does not scroll (max $max)"
xdotool mousemove --window "$win" $((px + pw / 2)) $((py + ph / 2))
sleep 0.3
xdotool click 5 && sleep 0.3 && xdotool click 5
sleep 0.5
[ "$(scroll_of)" -gt 0 ] || fail "the wheel did not scroll"
xdotool key --window "$win" Home
sleep 0.4
[ "$(scroll_of)" = 0 ] || fail "Home did not go to the top"
xdotool key --window "$win" Down
sleep 0.4
[ "$(scroll_of)" -gt 0 ] || fail "the arrow key did not scroll"
xdotool key --window "$win" End
sleep 0.4
[ "$(scroll_of)" = "$max" ] || fail "End did not go to the bottom"
shot bottom
xdotool key --window "$win" Home
sleep 0.4
# A click low on the scroll bar's track (at the page's left edge) scrolls down.
click_at $((px + 20)) $((py + ph - 40))
[ "$(scroll_of)" -gt 0 ] || fail "the scroll bar did not scroll"
grep -q "^page 0 button " "$QH_LAYOUT_LOG" || echo "note: the first page shows no buttons yet"
quit_with_escape
echo "first_page_scroll: 1 passed, 0 failed"
