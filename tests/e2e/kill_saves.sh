#!/usr/bin/env bash
# Crash safety of the saves: the text player plays book 1 on scripted input
# and is killed with SIGKILL at a random moment, again and again. After every
# kill each save file present must read completely, and the next run must go
# on from a save no older than the last one the killed run reported.
# QH_KILLS sets the number of kills (the test command runs a short version).
source "$QH_E2E_LIB"
export SDL_VIDEODRIVER=dummy
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
KILLS=${QH_KILLS:-25}
SAVES="$QH_USER/data"
RANDOM=${QH_KILL_SEED:-7}

# The opening pages, then choices, fights and picks at random. A command that
# does not apply is answered with a line and changes nothing.
make_input() {
    printf '1\nnext\n1\n1\n1\n1\n1\nnext\n1\n2\n9\n'
    local words=(1 1 2 3 fight fight fight pick 1 2 restart 1)
    for _ in $(seq 1 400); do
        echo "${words[$((RANDOM % ${#words[@]}))]}"
    done
}

# "draws N" of a "(game saved: ...)" or save-check line.
draws_of() { sed -n 's/.*draws \([0-9]*\).*/\1/p' <<<"$1" | tail -1; }

checked=0 damaged=0 older=0 saves_seen=0
for kill in $(seq 1 "$KILLS"); do
    make_input >"$QH_HOME/input.txt"
    # Slow input, so that kills land in the middle of play and of saves.
    (while IFS= read -r line; do echo "$line"; sleep 0.00$((RANDOM % 5)); done <"$QH_HOME/input.txt") |
        stdbuf -oL "$QHDATA" play "$DATA" 1 --seed 11 >"$QH_HOME/run.txt" 2>&1 &
    pid=$!
    sleep "$((RANDOM % 2)).$((RANDOM % 10))$((RANDOM % 10))"
    # $! is the player itself (the pipeline's last command), not the feeding loop.
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    last=$(grep "^(game saved: " "$QH_HOME/run.txt" | tail -1 || true)
    [ -n "$last" ] && saves_seen=$((saves_seen + 1))

    files=()
    for f in "$SAVES"/profiles/resume*.dat "$SAVES"/profiles/sec1-*.dat \
        "$SAVES"/profiles/campaign*.dat "$SAVES"/misc/ts.dat; do
        [ -f "$f" ] && files+=("$f")
    done
    [ ${#files[@]} -gt 0 ] || continue
    checked=$((checked + ${#files[@]}))
    if ! report=$("$QHDATA" save-check "$DATA" "${files[@]}" 2>&1); then
        damaged=$((damaged + 1))
        echo "after kill $kill: $report" >&2
        cp "${files[@]}" "$QH_HOME/" 2>/dev/null || true
        continue
    fi
    if grep -q "differs from ts.dat" <<<"$report"; then
        damaged=$((damaged + 1))
        echo "after kill $kill: a save looks edited outside the game: $report" >&2
    fi
    if [ -n "$last" ] && [ -f "$SAVES/profiles/resume1.dat" ]; then
        on_disk=$(grep "resume1.dat" <<<"$report")
        if [ "$(draws_of "$on_disk")" -lt "$(draws_of "$last")" ]; then
            older=$((older + 1))
            echo "after kill $kill: the save ($on_disk) is older than the last reported ($last)" >&2
        fi
        # The next run goes on from exactly what the file holds.
        next=$(printf 'look\n' | "$QHDATA" play "$DATA" 1 --seed 11 2>&1 | grep -m1 "^(your saved game" || true)
        want="book $(sed -n 's/.*OK book \([0-9]*\) page .* section \([0-9]*\) draws \([0-9]*\).*/\1, section \2, draws \3/p' <<<"$on_disk")"
        if [ "$next" != "(your saved game goes on: $want)" ]; then
            older=$((older + 1))
            echo "after kill $kill: resumed with '$next', the file holds '$want'" >&2
        fi
    fi
done
echo "kill_saves: $KILLS kills, $saves_seen runs reported a save, $checked files checked," \
    "$damaged damaged, $older resumes older than the last save"
[ "$damaged" = 0 ] || fail "$damaged kills left a save that does not read"
[ "$older" = 0 ] || fail "$older resumes went back further than the last save"
[ "$saves_seen" -gt 0 ] || fail "no run got as far as a save"
echo "kill_saves: 1 passed, 0 failed"
