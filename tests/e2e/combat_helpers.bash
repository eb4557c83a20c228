# Helpers of the combat scripts, sourced after lib.sh: a game left by the text
# player at the fight of book 1's section 74, the window resumed on it, and
# the save read back after each round.
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
RESUME="$QH_USER/data/profiles/resume1.dat"
PENDING="$QH_USER/data/misc/result1.dat"
export QH_LAYOUT_LOG="$QH_HOME/layout.txt"

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

# From the first window after the intro to the resumed page of section 74.
resume_campaign() {
    resume_campaign_at sect74
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

# The text player brings a hero to section 74 with seed $1, whose fight he
# loses; the window resumes there and fights round by round until the death
# window (43) opens. Sets SEED, expected and rounds.
lose_the_fight_of_74() {
    SEED=$1
    prepare_fight "$SEED"
    expected=$(reference_rounds)
    rounds=$(wc -l <<<"$expected")
    tail -1 <<<"$expected" | grep -q " 0$" && fail "seed $SEED wins the fight; pick another"
    start_game
    resume_campaign
    for round in $(seq 1 "$rounds"); do
        fight_round "$round"
    done
    for _ in $(seq 1 100); do grep -q "^window 43 button " "$QH_LAYOUT_LOG" && break; sleep 0.1; done
    grep -q "^window 43 button " "$QH_LAYOUT_LOG" || fail "the death window did not open"
}
