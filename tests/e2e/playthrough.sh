#!/usr/bin/env bash
# Book 1 played to its end in the window. The text player walks the opening
# pages (Disciplines, weapon, scores, equipment) with a fixed seed and leaves
# the hero on section 1; the window resumes the campaign and a player who
# always takes the first choice on the page plays on with the mouse: the
# fights round by round, the Random Number Table, the Meal, to the last
# section and the end of the book. Screenshots (QH_SHOT=prefix) show it.
# The hero's path is the one the text player takes with the same seed and the
# same rule "first choice": both must finish the book.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
RESUME="$QH_USER/data/profiles/resume1.dat"
SEED=${QH_PLAY_SEED:-3}
# Five Disciplines, the Axe, the scores, the Jerkin and Meals; then "Begin".
OPENING='1\nnext\n2\n4\n4\npick\n6\n2\nnext\n1\npick\n9\n1\nequip 1\n1\n'

mkdir -p "$QH_USER"
printf "$OPENING" | "$QHDATA" play "$DATA" 1 --seed "$SEED" >"$QH_HOME/opening.txt" 2>&1 ||
    fail "the text player could not play the opening"
grep -q "^(game saved: book 1, section 1," "$QH_HOME/opening.txt" ||
    fail "the opening did not end at section 1: $(tail -3 "$QH_HOME/opening.txt")"

start_game
resume_campaign_at sect1
shot 01-resumed

log_lines() { wc -l <"$QH_LAYOUT_LOG"; }

# The first clickable button of the main page in reading order (the topmost,
# then the leftmost); show_button scrolls it into view and prints "X Y" of its centre.
button_at() { page_buttons | awk -v id="$1" '$4 == id {print $6, $7}' | tail -1; }
choice_id() {
    page_buttons | awk -v dead=" $dead " '$9 == 1 && index(dead, " " $4 " ") == 0 {print $7, $6, $4}' |
        sort -n -k1,1 -k2,2 | head -1 | awk '{print $3}'
}
show_button() {
    local id=$1 rect top bottom x y
    rect=($(page_line))
    top=${rect[6]}
    bottom=$((rect[6] + rect[8]))
    for _ in $(seq 1 20); do
        read -r x y <<<"$(button_at "$id")"
        if [ "$y" -gt $((top + 10)) ] && [ "$y" -lt $((bottom - 10)) ]; then
            echo "$x $y"
            return 0
        fi
        if [ "$y" -ge $((bottom - 10)) ]; then key=Next; else key=Prior; fi
        xdotool key --window "$win" "$key"
        sleep 0.4
    done
}

# A window opened by the last action (a message, a choice of options, a
# notice): its first button, where the log placed it.
window_opened_since() {
    tail -n +"$(($1 + 1))" "$QH_LAYOUT_LOG" | grep -E "^window [0-9]+ button " | tail -1 || true
}

save_sum() { md5sum "$RESUME" 2>/dev/null | cut -c1-32; }

sections="sect1"
dead="" # buttons of this page that did nothing when clicked (a fight already won)
for step in $(seq 1 150); do
    before=$(log_lines)
    section=$(section_name)
    saved=$(save_sum)
    id=$(choice_id)
    [ -n "$id" ] || break
    at=$(show_button "$id")
    [ -n "$at" ] || fail "button $id of $section cannot be scrolled into view"
    click_at $at
    # Let a round, a pick or a turn of the page play out.
    for _ in $(seq 1 120); do
        [ "$(section_name)" != "$section" ] && break
        [ "$(save_sum)" != "$saved" ] && break
        [ -n "$(window_opened_since "$before")" ] && break
        sleep 0.1
    done
    sleep 0.5
    # Answer whatever window the action opened with its first button.
    answered=""
    for _ in 1 2 3 4; do
        line=$(window_opened_since "$before")
        [ -n "$line" ] || break
        before=$(log_lines)
        set -- $line
        click_at "$5" "$6"
        answered=1
        sleep 0.8
    done
    now=$(section_name)
    if [ "$now" = "$section" ] && [ "$(save_sum)" = "$saved" ] && [ -z "$answered" ]; then
        dead="$dead $id"
    fi
    if [ "$now" != "$section" ]; then
        dead=""
        sections="$sections $now"
        shot "$(printf '%02d' "$step")-$now"
    fi
    grep -q "^window 43 " "$QH_LAYOUT_LOG" && fail "the hero died on the way: $sections"
    # The last section's way on ends the book and opens the next one.
    [ "$section" = sect350 ] && [ "$now" != sect350 ] && break
done
echo "path: $sections"
shot 99-finished
case " $sections " in *" sect350 "*) ;; *) fail "the play never reached section 350: $sections" ;; esac
[ "$(section_name)" = gamerulz ] || fail "after section 350 the page shows $(section_name), not book 2's rules"
campaign=$("$QHDATA" cat "$QH_USER/data/profiles/campaign1.dat")
grep -q "^ON_BOOK: 2$" <<<"$campaign" || fail "the campaign save is not on book 2"
grep -q "^VAEL_BOOKS_COMPLETED: 1$" <<<"$campaign" || fail "the campaign save does not count book 1"
# Escape closes the notices of the finished book first, then quits.
for _ in 1 2 3 4 5 6; do
    kill -0 "$pid" 2>/dev/null || break
    xdotool key --window "$win" Escape 2>/dev/null || true
    sleep 1
done
wait_for_exit "$pid" 10 || fail "still running after Escape"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "playthrough: 1 passed, 0 failed"
