# Shared by scripts/screenshots.sh and bench/measure_screens.sh: start the
# built game under the current X display on a fresh HOME, and play it with
# keys and clicks at the button places its layout log (QH_LAYOUT_LOG) gives.
# Source it, then: start_game BIN; first_start_to_menu; [restart_to_menu;]
# menu_to_book1; stop_game.

# Starts BIN in the background with HOME in a new temporary folder; sets
# QH_PID, QH_WIN (the window) and QH_HOME (removed by stop_game).
start_game() {
    QH_HOME=$(mktemp -d /tmp/qh-drive-XXXXXX)
    export HOME=$QH_HOME QH_LAYOUT_LOG=$QH_HOME/layout.txt
    if [ -n "${QH_TARGET_FPS:-}" ]; then
        # The settings file the game reads at start, with one value changed.
        mkdir -p "$HOME/Documents/Quillhaven"
        printf 'TARGET_FPS          %s      // range: 10 to 60\r\n' "$QH_TARGET_FPS" \
            >"$HOME/Documents/Quillhaven/settings.txt"
    fi
    QH_BIN_RUN=$1
    launch_game
}

launch_game() {
    : >"$QH_LAYOUT_LOG"
    "$QH_BIN_RUN" >"$QH_HOME/out.txt" 2>&1 &
    QH_PID=$!
    wait_for_log "^window " 20 || { cat "$QH_HOME/out.txt" >&2; echo "no window" >&2; return 1; }
    QH_WIN=$(xdotool search --name "Role Playing Adventure" | head -1)
}

# Quits and starts the game again on the same HOME, past the one-time
# question about update checks ("No") to the main menu, with no other input.
restart_to_menu() {
    stop_game
    launch_game
    click_button 47 51
    wait_for_log "^window 0 button 2 " 10
    sleep 2.5 # the main menu slides in
}

# Ends the game with SIGTERM (it quits as from its close button) and waits.
stop_game() {
    [ -n "${QH_PID:-}" ] || return 0
    kill "$QH_PID" 2>/dev/null || true
    wait "$QH_PID" 2>/dev/null || true
    QH_PID=""
}

# Waits up to $2 seconds for a line matching $1 in the layout log.
wait_for_log() {
    for _ in $(seq 1 $((${2:-10} * 10))); do
        grep -q "$1" "$QH_LAYOUT_LOG" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Clicks button $2 of window $1 where the layout log last placed it.
click_button() {
    wait_for_log "^window $1 button $2 at " 10 || { echo "window $1 has no button $2" >&2; return 1; }
    local at
    at=$(grep "^window $1 button $2 at " "$QH_LAYOUT_LOG" | tail -1 | cut -d' ' -f6-7)
    sleep 1.2 # the window slides in
    xdotool mousemove --window "$QH_WIN" $at click 1 2>/dev/null
}

# A first start asks for a profile name and an avatar; then the main menu shows.
first_start_to_menu() {
    sleep 1.5
    xdotool type --window "$QH_WIN" --delay 80 "Ada" 2>/dev/null
    xdotool key --window "$QH_WIN" Return 2>/dev/null
    click_button 8 6     # the avatar window's "Accept"
    wait_for_log "^window 0 button 2 " 10
    sleep 2.5 # the main menu slides in
}

# "New Campaign", book 1's "Start", the rules window's "Start": the first page.
menu_to_book1() {
    click_button 0 2
    click_button 15 12
    click_button 16 10
    wait_for_log "^page 0 section " 20 || { echo "no book page shown" >&2; return 1; }
    sleep 2
}
