#!/usr/bin/env bash
# Fights of the text player from fixed seeds, checked round by round against
# the shipped Combat Results Table read straight from its file: the ratio is
# the two COMBAT SKILLs' difference, the losses are the cell's for that ratio
# and number (capped at what each side has left), and ENDURANCE falls by them.
source "$QH_E2E_LIB"
export SDL_VIDEODRIVER=dummy
QHDATA="$(dirname "$QH_BIN")/tools/qhdata"
DATA="$(dirname "$QH_BIN")/data"
"$QHDATA" cat "$DATA/misc/crt.dat" | grep -v '^ *\(##\|//\)' | tr -s ' \r\n\t' '\n' | grep -v '^$' \
    >"$QH_HOME/crt.txt"
[ "$(wc -l <"$QH_HOME/crt.txt")" = 440 ] || fail "the shipped table does not hold 440 values"

rounds=0
for seed in 1 2 3 4 5 6 7 8 9 10 11 12; do
    for weapon in "equip 1\n" ""; do # wielding the Dagger, and unarmed
        rm -rf "$QH_USER"
        mkdir -p "$QH_USER"
        printf "1\nnext\n1\n1\n1\n1\n1\nnext\n1\npick\n2\n5\n1\n${weapon}1\n$(printf 'fight\\n%.0s' $(seq 1 15))" |
            "$QHDATA" play "$DATA" 1 --seed "$seed" --new >"$QH_HOME/play.txt" 2>&1
        report=$(awk -v seed="$seed" '
            FNR == NR { crt[FNR - 1] = $1; next }
            /^Kindled Zealot: COMBAT SKILL [0-9]+ ENDURANCE [0-9]+/ { enemyEp = $NF }
            /^Round [0-9]+/ { round = $2; n++ }
            /^Greystar COMBAT SKILL: / { hero = $NF }
            /^Kindled Zealot COMBAT SKILL: / { enemy = $NF }
            /^Combat Ratio: / { ratio = $NF }
            /^Random Number: / { number = $NF }
            /^Kindled Zealot loses / { eLoss = $4; eNow = $NF }
            /^Greystar loses / {
                hLoss = $3; hNow = $NF
                if (round == 1) heroEp = hNow + hLoss # checked below by the chart line
                if (ratio != hero - enemy) { print "seed " seed " round " round ": ratio " ratio " for " hero " - " enemy; bad++ }
                h = ratio == 0 ? 0 : (ratio > 0 ? int((ratio + 1) / 2) : -int((1 - ratio) / 2))
                col = h + 6; if (col < 0) col = 0; if (col > 12) col = 12
                row = number == 0 ? 9 : number - 1
                e = crt[row * 44 + col * 2]; g = crt[row * 44 + col * 2 + 1]
                if (e > enemyEp) e = enemyEp
                if (g > heroEp) g = heroEp
                if (eLoss != e || hLoss != g || eNow != enemyEp - e || hNow != heroEp - g) {
                    print "seed " seed " round " round ": ratio " ratio " number " number \
                        " gave " eLoss "/" hLoss ", the table " e "/" g; bad++
                }
                enemyEp = eNow; heroEp = hNow
            }
            /^  \(ENDURANCE: [0-9]+ -> / && round == 1 && !startChecked {
                startChecked = 1
                if ($2 + 0 != heroEp + hLoss) { print "seed " seed ": round 1 started from " $2; bad++ }
            }
            END { print "rounds " n + 0 " bad " bad + 0 }
        ' "$QH_HOME/crt.txt" "$QH_HOME/play.txt")
        grep -v "^rounds " <<<"$report" >&2 || true
        set -- $(tail -1 <<<"$report")
        [ "$2" -gt 0 ] || fail "seed $seed fought no round"
        [ "$4" = 0 ] || fail "seed $seed: $4 round(s) differ from the table"
        rounds=$((rounds + $2))
    done
done
echo "text_combat_table: $rounds rounds checked against the table"
echo "text_combat_table: 1 passed, 0 failed"
