# Helpers of the combat scripts, sourced after lib.sh: a game left by the text
# player at the fight of book 1's section 74, the window resumed on it, and
# the save read back after each round.
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
RESUME="$QH_USER/data/profiles/resume1.dat"
PENDING="$QH_USER/data/misc/result1.dat"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"
# QH_KEEP keeps the temporary home for a look after a failure.
if [ -n "${QH_KEEP:-}" ]; then trap - EXIT; echo "home: $QH_HOME" >&2; fi

shot() { [ -z "${QH_SHOT:-}" ] || import -window root "$QH_SHOT-$1.png"; }

# The opening pages with five Disciplines, the gold pick, a Dagger (wielded)
# and Meals, then section 1's first choice: the fight of section 74.
OPENING='1\nnext\n1\n1\n1\n1\n1\nnext\n1\npick\n2\n5\n1\nequip 1\n1\n'

# Plays the opening with seed $1 in the text player and keeps a copy of the
# user folder as it stands before the first round.
prepare_fight() {
    mkdir -p "$QH_USER"
    printf "$OPENING" | "$QHDATA" play "$DATA" 1 --seed "$1" >"$QH_HOME/prepare.txt" 2>&1 ||
        fail "the text player could not play the opening"
    grep -q "^(game saved: book 1, section 74," "$QH_HOME/prepare.txt" ||
        fail "the opening did not end at section 74: $(tail -3 "$QH_HOME/prepare.txt")"
    rm -rf "$QH_HOME/before-fight"
    cp -a "$QH_USER" "$QH_HOME/before-fight"
}

# "ROUND EP" per round of the fight as an uninterrupted text-player game plays
# it from the prepared save, which is put back afterwards. ROUND NUMBER lines
# of the same rounds go to $QH_HOME/reference-numbers.txt.
reference_rounds() {
    local out
    out=$(printf 'fight\n%.0s' $(seq 1 20) | "$QHDATA" play "$DATA" 1 2>&1)
    rm -rf "$QH_USER"
    cp -a "$QH_HOME/before-fight" "$QH_USER"
    grep "^Random Number: " <<<"$out" | awk '{print NR, $3}' >"$QH_HOME/reference-numbers.txt"
    grep "^Kindled Zealot loses " <<<"$out" | awk '{print NR, $NF}'
}

# The combat block of the resume save, decoded.
saved_combat() { "$QHDATA" cat "$RESUME" | sed -n '/^COMBAT$/,/^END$/p'; }
saved_rounds() { saved_combat | sed -n 's/^ROUNDS_FINISHED: //p'; }
saved_enemy_ep() { saved_combat | sed -n 's/^ *EP: //p' | head -1; }
# The random numbers of the battle log, one per round fought.
saved_numbers() {
    "$QHDATA" cat "$RESUME" | sed -n '/^BATTLE_LOG:/,/^LORE_CIRCLES:/p' |
        awk 'NF == 7 && $5 != -1 {print ++n, $5}'
}

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
    for _ in $(seq 1 60); do
        line=$(grep "^window $1 button $2 at " "$QH_LAYOUT_LOG" 2>/dev/null | tail -1 || true)
        [ -n "$line" ] && break
        sleep 0.1
    done
    [ -n "$line" ] || fail "window $1 has no button $2"
    set -- $line
    click_at "$6" "$7"
}
page_line() { grep "^page 0 section " "$QH_LAYOUT_LOG" | tail -1; }
# The page's button $1, scrolled into view first: "X Y" of its centre.
page_button_at() {
    local line
    xdotool key --window "$win" End
    sleep 0.6
    for _ in $(seq 1 50); do
        line=$(grep "^page 0 button $1 at " "$QH_LAYOUT_LOG" 2>/dev/null | tail -1 || true)
        [ -n "$line" ] && break
        sleep 0.1
    done
    [ -n "$line" ] || return 1
    set -- $line
    echo "$6 $7"
}
click_page_button() {
    local at
    at=$(page_button_at "$1") || fail "the page shows no button $1"
    click_at $at
}

start_window() {
    : >"$QH_LAYOUT_LOG"
    "$QH_BIN" >>"$QH_HOME/out.txt" 2>&1 &
    pid=$!
    win=$(wait_for_window "Greystar - A Role Playing Adventure v1.17.0" 20) || fail "no window"
    sleep 1
    xdotool key --window "$win" Escape # skip the intro
    for _ in $(seq 1 50); do grep -q "^window " "$QH_LAYOUT_LOG" 2>/dev/null && break; sleep 0.1; done
    sleep 0.8
}
# From the first window after the intro to the resumed page of section 74.
resume_campaign() {
    # The first start asks for the player's name (the text player keeps a
    # profile without one), then about update checks, before the menu.
    if grep -q "^window 1 " "$QH_LAYOUT_LOG"; then
        xdotool type --window "$win" --delay 60 "Aldric"
        xdotool key --window "$win" Return
        sleep 1
        click_button 8 6 # accept the avatar
    fi
    sleep 0.5
    if grep -q "^window 47 " "$QH_LAYOUT_LOG"; then click_button 47 51; fi
    sleep 0.5
    click_button 0 1 # Resume Campaign
    for _ in $(seq 1 80); do page_line | grep -q "section sect74 " && break; sleep 0.1; done
    page_line | grep -q "section sect74 " || fail "Resume Campaign did not reach section 74"
    grep -q "Unable to load savegame" "$QH_HOME/out.txt" && fail "the save did not load"
    sleep 1
}
# Clicks Fight and waits until the resume save holds round $1 (the save
# follows every round). With QH_SHOT set, round 1 is photographed as it runs.
fight_round() {
    local round=$1
    click_page_button 2
    if [ "$round" = 1 ] && [ -n "${QH_SHOT:-}" ]; then
        for t in 1 2 3 4 5 6 7 8 9 10 11 12; do
            sleep 0.7
            shot "round1-$t"
        done
    fi
    for _ in $(seq 1 400); do
        [ "$(saved_rounds 2>/dev/null)" = "$round" ] && return 0
        sleep 0.1
    done
    fail "round $round did not end in the save (rounds $(saved_rounds))"
}
quit_with_escape() {
    xdotool key --window "$win" Escape
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
    local status=0
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "exit status $status"
}
