#!/usr/bin/env bash
# The console viewer prints the record of a resume save given on the command
# line, sound or damaged, and never waits on a closed standard input.
source "$QH_E2E_LIB"
export SDL_VIDEODRIVER=dummy
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
mkdir -p "$QH_HOME/saves"
cat >"$QH_HOME/saves/plain.txt" <<'REC'
VAEL_DISCIPLINE_ORDER: 2 3 7
STATS_CS_BASE: 15
STATS_EP_MAX: 25
STATS_EP_CUR: 21
STATS_CS_INITIAL: 14
STATS_EP_INITIAL: 26
ON_BOOK: 1
ON_SECTION: 74
END
PAGE_RECORD: sect74
BUTTONS: 0
END
COMBAT
END
WEAPON_RULES: 0
END
0 0
-1 0
0 0
none
SEED 12 3
REC
"$QHDATA" encode "$QH_HOME/saves/plain.txt" "$QH_HOME/saves/resume3.dat" || fail "cannot encode"

view() {
    set +e
    out=$(timeout 20 "$QH_BIN" "$1" </dev/null 2>&1)
    status=$?
    set -e
    [ "$status" = 0 ] || fail "viewer exit status $status for $1"
    grep -q "When finished viewing, press a key to close the program..." <<<"$out" ||
        fail "no closing prompt for $1"
}
view "$QH_HOME/saves/resume3.dat"
grep -q "Here is the pertinent HoF info:" <<<"$out" || fail "no record heading"
grep -q "/ Endurance : 21        (Initial scores- CS: 14 / EP: 26)" <<<"$out" ||
    fail "wrong scores line: $out"

# Cut short, binary, huge numbers: the viewer says what it can and ends.
head -c 40 "$QH_HOME/saves/resume3.dat" >"$QH_HOME/saves/resume4.dat"
view "$QH_HOME/saves/resume4.dat"
head -c 3000 /dev/urandom >"$QH_HOME/saves/resume5.dat"
view "$QH_HOME/saves/resume5.dat"
sed 's/SEED 12 3/SEED 12 2147483647/; s/STATS_EP_CUR: 21/STATS_EP_CUR: 99999999999999/' \
    "$QH_HOME/saves/plain.txt" >"$QH_HOME/saves/huge.txt"
"$QHDATA" encode "$QH_HOME/saves/huge.txt" "$QH_HOME/saves/resume6.dat"
view "$QH_HOME/saves/resume6.dat"
grep -q "Endurance : 2147483647" <<<"$out" || fail "huge score not held: $out"
echo "console_record: 1 passed, 0 failed"
