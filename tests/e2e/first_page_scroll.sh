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

click_at() {
    xdotool mousemove --window "$win" 1 1
    sleep 0.1
    xdotool mousemove --window "$win" "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
    sleep 0.8
}
click_button() {
    local line
    for _ in $(seq 1 50); do
        line=$(grep "^window $1 button $2 at " "$QH_LAYOUT_LOG" 2>/dev/null | tail -1 || true)
        [ -n "$line" ] && break
        sleep 0.1
    done
    [ -n "$line" ] || fail "window $1 has no button $2"
    set -- $line
    click_at "$6" "$7"
}
# The last page line of the log: "page S section NAME rect X Y W H scroll O max M".
page_line() { grep "^page 0 section " "$QH_LAYOUT_LOG" | tail -1; }
scroll_of() { page_line | awk '{print $11}'; }

"$QH_BIN" >"${QH_OUT:-$QH_HOME/out.txt}" 2>&1 &
pid=$!
win=$(wait_for_window "Greystar - A Role Playing Adventure v1.17.0" 20) || fail "no window"
sleep 1
xdotool key --window "$win" Escape # skip the intro
for _ in $(seq 1 50); do grep -q "^window 1 " "$QH_LAYOUT_LOG" 2>/dev/null && break; sleep 0.1; done
sleep 0.8
xdotool type --window "$win" --delay 60 "Aldric"
xdotool key --window "$win" Return
sleep 1
click_button 8 6  # accept the avatar
click_button 0 2  # New Campaign
click_button 15 12 # start book 1
click_button 16 10 # the gameplay rules: start
for _ in $(seq 1 80); do grep -q "^page 0 section " "$QH_LAYOUT_LOG" 2>/dev/null && break; sleep 0.1; done
page_line >/dev/null || fail "no page shown"
sleep 1
[ -n "${QH_SHOT:-}" ] && import -window root "$QH_SHOT-first.png"
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
[ -n "${QH_SHOT:-}" ] && import -window root "$QH_SHOT-bottom.png"
xdotool key --window "$win" Home
sleep 0.4
# A click low on the scroll bar's track (at the page's left edge) scrolls down.
click_at $((px + 20)) $((py + ph - 40))
[ "$(scroll_of)" -gt 0 ] || fail "the scroll bar did not scroll"
grep -q "^page 0 button " "$QH_LAYOUT_LOG" || echo "note: the first page shows no buttons yet"
xdotool key --window "$win" Escape
sleep 3
kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "exit status $status"
echo "first_page_scroll: 1 passed, 0 failed"
