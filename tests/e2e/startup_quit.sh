#!/usr/bin/env bash
# First start: the square title window opens, the intro plays, Escape quits
# with status 0 and the settings and counters files exist in the user folder.
# The unit tests run with the dummy video driver; this one needs a real window.
unset SDL_VIDEODRIVER
if [ -z "${QH_IN_XVFB:-}" ]; then
    exec env QH_IN_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1080x24 -noreset" bash "$0" "$@"
fi
source "$QH_E2E_LIB"

"$QH_BIN" >"$QH_HOME/out.txt" 2>&1 &
pid=$!
win=$(wait_for_window "Greystar - A Role Playing Adventure v1.17.0" 20) || fail "no window"
size=$(window_size "$win")
[ "$size" = "649x649" ] || fail "title window is $size, expected 649x649 on a 1080-high screen"
sleep 4 # the intro runs about 5 seconds; Escape ends it early
xdotool key --window "$win" Escape
sleep 0.5
# Past the intro the title screen is up: with the menu window Escape closes
# it, and with nothing left open the program ends.
for _ in 1 2 3; do
    kill -0 "$pid" 2>/dev/null || break
    xdotool key --window "$win" Escape 2>/dev/null || true
    sleep 0.5
done
wait_for_exit "$pid" 20 || fail "still running after Escape"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"

[ -f "$QH_USER/settings.txt" ] || fail "no settings.txt"
grep -q $'^TARGET_FPS          30      // range: 10 to 60\r$' "$QH_USER/settings.txt" ||
    fail "settings.txt layout"
grep -q $'^PROG_START_COUNT 1 // 10 times = mention donate\r$' "$QH_USER/settings.txt" ||
    fail "start count not saved"
# The counters file is stored shifted: "0" CR LF is bytes 114 79 76.
ts="$QH_USER/data/misc/ts.dat"
[ -f "$ts" ] || fail "no ts.dat"
[ "$(od -An -tu1 "$ts" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//')" = \
  "114 79 76 114 79 76 114 79 76 114 79 76 114 79 76" ] || fail "ts.dat bytes"
echo "startup_quit: 1 passed, 0 failed"
