#!/usr/bin/env bash
# The Action Chart of a hero in the middle of book 1: the text player fights
# the zealot of section 74, takes his Dagger, coins and mask and goes on to
# 88; the save then gets a full Backpack, more Special Items (the Sunblade,
# wielded in place of the Dagger, whose bonuses its tooltip and the COMBAT
# SKILL breakdown list), Lune and a note. The window resumes the
# game and the player opens every page and sub-page of the chart at two zoom
# levels, and points at the Sunblade and at the COMBAT SKILL total. Every
# page must lay its lines out one below the other, inside the chart, with no
# button over another; QH_SHOT keeps a screenshot of each.
# QH_CHART_SIZE=WxH sets the window (1280x1024 by default).
SIZE=${QH_CHART_SIZE:-1280x1024}
W=${SIZE%x*} H=${SIZE#*x}
# A window as large as the screen would be cut to nine tenths of it: the
# screen is larger.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 $((W + 160))x$((H + 160))x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
# Screenshots of the game window alone.
shot() { [ -z "${QH_SHOT:-}" ] || import -window "$win" "$QH_SHOT-$1.png"; }
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
RESUME="$QH_USER/data/profiles/resume1.dat"

# --- The hero --------------------------------------------------------------
mkdir -p "$QH_USER"
printf '1\nnext\n1\n1\n1\n1\n1\nnext\n1\npick\n2\n5\n1\nequip 1\n1\n' |
    "$QHDATA" play "$DATA" 1 --seed 9 >"$QH_HOME/play1.txt" 2>&1 || fail "the opening failed"
printf 'fight\n%.0s' 1 2 3 4 | "$QHDATA" play "$DATA" 1 >"$QH_HOME/play2.txt" 2>&1 || fail "the fight failed"
grep -q "You have won the combat" "$QH_HOME/play2.txt" || fail "the zealot was not beaten: $(tail -5 "$QH_HOME/play2.txt")"
printf '1\n1\n1\n1\n1\n' | "$QHDATA" play "$DATA" 1 >"$QH_HOME/play3.txt" 2>&1 || fail "the way on failed"
"$QHDATA" save-check "$DATA" "$RESUME" | grep "OK book 1 page sect88 " >/dev/null ||
    fail "the hero is not at 88: $(tail -5 "$QH_HOME/play3.txt")"

item() { printf '    ID: %s\n        EQUIPPED: %s\n        USES: 1\n        EARMARK: 0\n        ZEJAR_DULAGA: 0\n        DESSI_STONE: 0\n    END\n' "$1" "${2:-0}"; }
{
    "$QHDATA" cat "$RESUME" | tr -d '\r' | awk -v extra="$(for i in 14 16 17 18 19; do item $i; done)" \
        -v special="$(item 10 1; item 24 1; item 23)" '
        /^BACKPACK_ITEMS: / { print "BACKPACK_ITEMS: " ($2 + 5); print extra; next }
        /^SPECIAL_ITEMS: / { print "SPECIAL_ITEMS: " ($2 + 3); print special; next }
        /^LUNE: / { print "LUNE: 6"; next }
        /^DISEASE: / { print "NOTE: The Steward sent the zealots. Warn the Keeper."; print; next }
        /^[A-Z]/ { weapons = /^WEAPONS: / }
        weapons && /^        EQUIPPED: 1/ { print "        EQUIPPED: 0"; next }
        { print }'
} >"$QH_HOME/hero.txt"
"$QHDATA" encode "$QH_HOME/hero.txt" "$RESUME" || fail "could not write the hero's save"
"$QHDATA" save-check "$DATA" "$RESUME" | grep "OK book 1 page sect88 " >/dev/null ||
    fail "the prepared save does not load: $("$QHDATA" save-check "$DATA" "$RESUME")"
printf 'WINDOWED_WIDTH %s\r\nWINDOWED_HEIGHT %s\r\nSHOWN_AUTO_UPDATE_CHOICE 1\r\n' "$W" "$H" >"$QH_USER/settings.txt"

# --- The window ------------------------------------------------------------
start_game
resume_campaign_at sect88
for _ in $(seq 1 100); do grep -q "^chart page " "$QH_LAYOUT_LOG" && break; sleep 0.1; done
grep -q "^chart page " "$QH_LAYOUT_LOG" || fail "no Action Chart shown"
sleep 1

# The log since the chart last laid page $1 out.
chart_block() {
    awk -v p="$1" '/^chart page /{keep = ($3 == p); if (keep) n = 0} keep && /^chart /{l[++n] = $0}
        END{for (i = 1; i <= n; i++) print l[i]}' "$QH_LAYOUT_LOG"
}
wait_for_chart_page() {
    for _ in $(seq 1 50); do
        [ -n "$(chart_block "$1")" ] && grep "^chart page " "$QH_LAYOUT_LOG" | tail -1 | grep -q "^chart page $1 " &&
            return 0
        sleep 0.1
    done
    fail "the chart never showed page $1"
}
chart_tab_at() { grep "^chart tab $1 at " "$QH_LAYOUT_LOG" | tail -1 | awk '{print $5, $6}'; }
open_page() {
    local at
    at=($(chart_tab_at "$1"))
    [ ${#at[@]} = 2 ] || fail "no tab for page $1"
    click_at "${at[0]}" "${at[1]}"
    wait_for_chart_page "$1"
    sleep 0.5
}

# Lines inside the chart and below each other; the buttons of a line inside
# the chart, apart from each other, and right of the line's text or on a row
# below it.
check_layout() {
    chart_block "$1" | awk -v name="$2" '
        function complain(what) { print name ": " what; bad = 1 }
        /^chart page / { rx = $5; rw = $7 }
        /^chart line / { n = $3; x = $5; y = $6; w = $8; h = $10; t = $0; sub(/^.* text /, "", t)
            if (n > 0 && y - h / 2 < prevBottom - 1) complain("line " n " (" t ") overlaps the line above")
            if (w > 0 && (x - w / 2 < rx || x + w / 2 > rx + rw)) complain("line " n " (" t ") is cut off")
            prevBottom = y + h / 2; textRight = w > 0 ? x + w / 2 : 0; textTop = $12 - $14 / 2
            textBottom = $12 + $14 / 2; right = 0 }
        /^chart button / { x = $6; y = $7; w = $9; bh = $11; left = x - w / 2
            if (left < rx || x + w / 2 > rx + rw) complain("button " $3 " " $4 " (" $NF ") is cut off")
            if (left < right - 1) complain("button " $3 " " $4 " (" $NF ") covers the button left of it")
            if (left < textRight - 1 && y + bh / 2 > textTop + 1 && y - bh / 2 < textBottom - 1)
                complain("button " $3 " " $4 " (" $NF ") covers the text of its line")
            right = x + w / 2 }
        END { exit bad }' || fail "the $2 page is badly laid out"
}

hover() {
    xdotool mousemove --window "$win" 1 1
    sleep 0.2
    xdotool mousemove --window "$win" "$1" "$2"
    sleep 2.2
}
line_at() { chart_block "$1" | awk -v want="$2" '/^chart line / && index($0, " text " want) {print $5, $6; exit}'; }

# Main tabs 1-4 and 11, the groups' sub-pages 5-10.
PAGES="1:stats 2:weapons 3:backpack 4:special 5:journal 6:battles 7:notes 8:storage 9:lost 10:certificate 11:awards"
for zoom in a b; do
    for entry in $PAGES; do
        page=${entry%%:*} name=${entry#*:}
        case $page in 6 | 7) open_page 5 ;; 9 | 10) open_page 8 ;; esac
        open_page "$page"
        if [ "$zoom" = b ] && grep -q "^chart zoom in " <(chart_block "$page"); then
            at=($(grep "^chart zoom in at " "$QH_LAYOUT_LOG" | tail -1 | awk '{print $5, $6}'))
            click_at "${at[0]}" "${at[1]}"
            sleep 0.5
        fi
        check_layout "$page" "$name"
        shot "$zoom-$page-$name"
    done
done
chart_block 2 | grep -q " text Dagger" || fail "the Weapons page does not list the Dagger"
chart_block 3 | grep -q " text Healing Potion" || fail "the Backpack page does not list the Healing Potion"
chart_block 4 | grep -q " text Sunblade" || fail "the Special Items page does not list the Sunblade"
chart_block 6 | grep -q " text Initial Stats for Greystar vs. Kindled Zealot" || fail "no battle on the Battles page"
chart_block 7 | grep -q " text The Steward sent the zealots" || fail "the note is not on the Notes page"

# The foot of the Backpack page, scrolled to with the wheel: its items and
# their buttons, laid out as the top was.
open_page 3
at=($(chart_tab_at 3))
xdotool mousemove --window "$win" "${at[0]}" $((at[1] + 200))
xdotool click --repeat 12 --delay 50 5
sleep 0.8
grep "^chart page 3 " "$QH_LAYOUT_LOG" | tail -1 | grep -qv " scroll 0 " || fail "the Backpack page did not scroll"
check_layout 3 backpack-scrolled
shot backpack-scrolled

# The tooltips: the Sunblade's bonuses, the COMBAT SKILL breakdown.
open_page 4
at=($(line_at 4 Sunblade))
[ ${#at[@]} = 2 ] || fail "no Sunblade line"
hover "${at[0]}" "${at[1]}"
shot tip-sunblade
open_page 1
at=($(line_at 1 "COMBAT SKILL: "))
[ ${#at[@]} = 2 ] || fail "no COMBAT SKILL line"
hover "${at[0]}" "${at[1]}"
shot tip-combat-skill
quit_with_escape
echo "action_chart_pages: 1 passed, 0 failed"
