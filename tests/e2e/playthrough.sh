#!/usr/bin/env bash
# Book 1 played to its end in the window, by mouse and keys only, as a new
# player plays it: the first start with a new profile, "New Campaign", book 1
# and the rules window; the opening pages (Disciplines, weapon, scores,
# equipment); then a player who always takes the first choice on the page: the
# fights round by round, the Random Number Table, an item taken, a Meal eaten;
# a quit and "Resume Campaign" halfway; section 350, the end-of-book summary and
# the first page of book 2 with the hero carried over. Screenshots
# (QH_SHOT=prefix) show it. QUILLHAVEN_SEED fixes the chance, so that the run
# is the same each time.
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${QH_SCREEN:-1280x1024}x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"
export QUILLHAVEN_SEED=${QH_PLAY_SEED:-11}
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
RESUME="$QH_USER/data/profiles/resume1.dat"
mkdir -p "$QH_USER"

# What the Action Chart's page $1 shows for the saved game, read through the
# text player's chart on a copy of the user folder (the game is left as it is).
chart_page() {
    local copy
    copy=$(mktemp -d "$QH_HOME/chart-XXXXXX")
    cp -a "$QH_HOME/Documents" "$copy/"
    printf 'chart %s\nquit\n' "$1" | HOME=$copy "$QHDATA" play "$DATA" "${2:-1}" 2>&1
    rm -rf "$copy"
}
# The items save $1 lists under $2 ("WEAPONS:", "BACKPACK_ITEMS:" ...), as IDs.
saved_ids() {
    "$QHDATA" cat "$1" |
        awk -v key="$2" '/^[^ ]/{inside = ($1 == key)} inside && $1 == "ID:" {print $2}' | tr '\n' ' '
}
carried() { echo " $(saved_ids "$1" BACKPACK_ITEMS:) $(saved_ids "$1" SPECIAL_ITEMS:) "; }
meals_eaten() { "$QHDATA" cat "$1" | sed -n 's/^MEALS_EATEN: *//p' | tr -d '\r'; }

start_game
new_campaign_book1 Aldric
wait_for_section gamerulz
shot 01-rules
click_page_button 1 # the scores: two picks of the table
sleep 1
click_tab 1
wait_for_section discplnz
for b in 1 3 4 5 8; do click_page_button $b; done # no Hunting: the hero must eat
shot 02-disciplines
open_equipment_and_take_the_pack
click_page_button 3 # the Axe
click_page_button 8 # two Meals
shot 03-equipment
click_page_button 12 # Begin the adventure
wait_for_section sect1 10
shot 04-sect1
# The restart save holds the hero as section 1 begins.
START="$QH_USER/data/profiles/sec1-1.dat"
[ "$(carried "$START" | tr ' ' '\n' | grep -c '^11$')" = 3 ] || fail "the hero set out without three Meals"
[[ " $(saved_ids "$START" WEAPONS:)" == *" 6 "* ]] || fail "the hero set out without the Axe"
cp "$START" "$QH_HOME/start.dat"

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
resumed="" fought=""
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
    sleep 1.2 # a window slides in before it takes clicks
    # Answer whatever window the action opened with its last button.
    answered=""
    for _ in 1 2 3 4; do
        line=$(window_opened_since "$before")
        [ -n "$line" ] || break
        before=$(log_lines)
        set -- $line
        shot "$(printf '%02d' "$step")-window-$2"
        click_at "$6" "$7" # "window N button M at X Y"
        answered=1
        sleep 1.2
    done
    now=$(section_name)
    # A round fought is saved at once (the save keeps the last combat's count).
    if [ -z "$fought" ] && "$QHDATA" cat "$RESUME" | grep "^ROUNDS_FINISHED: [1-9]" >/dev/null; then
        fought=$section
    fi
    if [ "$now" = "$section" ] && [ "$(save_sum)" = "$saved" ] && [ -z "$answered" ]; then
        dead="$dead $id"
    fi
    if [ "$now" != "$section" ]; then
        dead=""
        sections="$sections $now"
        shot "$(printf '%02d' "$step")-$now"
    fi
    # Halfway the player quits with Escape and comes back with "Resume Campaign".
    if [ -z "$resumed" ] && [ "$(wc -w <<<"$sections")" -ge 10 ] && [ "$now" != "$section" ]; then
        resumed=$now
        shot "$(printf '%02d' "$step")-before-quit"
        quit_with_escape
        "$QHDATA" save-check "$DATA" "$RESUME" | grep -q "OK book 1 page $now " ||
            fail "the resume save is not on $now: $("$QHDATA" save-check "$DATA" "$RESUME")"
        start_game
        resume_campaign_at "$now"
        shot "$(printf '%02d' "$step")-resumed"
        stats=$(chart_page stats)
        grep -q "COMBAT SKILL" <<<"$stats" || fail "the Action Chart shows no COMBAT SKILL: $stats"
    fi
    grep -q "^window 43 " "$QH_LAYOUT_LOG" && fail "the hero died on the way: $sections"
    # The last section's way on ends the book and opens the next one.
    [ "$section" = sect350 ] && [ "$now" != sect350 ] && break
done
echo "path: $sections"
echo "first fight at $fought; resumed at $resumed"
shot 99-finished
case " $sections " in *" sect350 "*) ;; *) fail "the play never reached section 350: $sections" ;; esac
[ -n "$fought" ] || fail "no fight was fought on the way"
[ -n "$resumed" ] || fail "the game was never resumed"
grep -E "^window [0-9]+ caption [0-9]+ .*You have completed Book[ \`]1" "$QH_LAYOUT_LOG" >/dev/null ||
    fail "no end-of-book summary"
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

# Book 2 begins with the hero of book 1: what he took on the way, the Meals he ate.
"$QHDATA" save-check "$DATA" "$RESUME" | grep "OK book 2 page gamerulz " >/dev/null ||
    fail "the resume save is not on book 2's first page: $("$QHDATA" save-check "$DATA" "$RESUME")"
taken=""
for item in $(carried "$RESUME"); do
    [[ "$(carried "$QH_HOME/start.dat")" == *" $item "* ]] || taken="$taken $item"
done
echo "items taken in book 1:$taken; Meals eaten: $(meals_eaten "$RESUME")"
[ -n "$taken" ] || fail "the hero took no item in book 1"
[ "$(meals_eaten "$RESUME")" -gt 0 ] || fail "the hero ate no Meal in book 1"
[[ " $(saved_ids "$RESUME" WEAPONS:)" == *" 6 "* ]] || fail "book 2's hero lost the Axe"
book2=$(chart_page stats 2)
grep -q "COMBAT SKILL" <<<"$book2" || fail "book 2's Action Chart shows no COMBAT SKILL: $book2"
echo "playthrough: 1 passed, 0 failed"
