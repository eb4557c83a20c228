#!/usr/bin/env bash
# A path argument that is not a resume save is refused with status 1 and no
# play window; a resume save gets its record printed and waits for a key,
# returning at once when standard input is closed.
source "$QH_E2E_LIB"
export SDL_VIDEODRIVER=dummy

set +e
out=$("$QH_BIN" some/file.dat </dev/null 2>&1)
status=$?
set -e
[ "$status" = 1 ] || fail "refusal exit status $status"
grep -q "ResumeX file : file.dat" <<<"$out" || fail "no file name line"
grep -q "Not a valid resumeX.dat file... Aborting..." <<<"$out" || fail "no refusal"

set +e
out=$("$QH_BIN" /nowhere/resume1.dat </dev/null 2>&1)
status=$?
set -e
[ "$status" = 1 ] || fail "missing file exit status $status"
grep -q "Unable to actually open the file... Aborting..." <<<"$out" || fail "no open failure"

mkdir -p "$QH_HOME/saves"
printf 'x' >"$QH_HOME/saves/resume2.dat"
set +e
out=$(timeout 20 "$QH_BIN" "$QH_HOME/saves/resume2.dat" </dev/null 2>&1)
status=$?
set -e
[ "$status" = 0 ] || fail "viewer exit status $status"
grep -q "When finished viewing, press a key to close the program..." <<<"$out" ||
    fail "no closing prompt"
echo "console_refusal: 1 passed, 0 failed"
