# Shared helpers of the end-to-end scripts. Each script runs the program with
# HOME pointed at a fresh temporary folder, never the real one.
set -euo pipefail

QH_BIN=${1:?usage: script.sh path/to/quillhaven}
QH_HOME=$(mktemp -d /tmp/qh-e2e-XXXXXX)
export HOME=$QH_HOME
QH_USER="$QH_HOME/Documents/Quillhaven"
[ -n "${QH_KEEP:-}" ] && echo "home: $QH_HOME" >&2 || trap 'rm -rf "$QH_HOME"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $2 seconds for a window whose title contains $1; prints its id.
wait_for_window() {
    local name=$1 limit=${2:-20} id=""
    for _ in $(seq 1 $((limit * 10))); do
        id=$(xdotool search --name "$name" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds for process $1 (a child of this shell) to end and
# sets EXIT_STATUS to its exit status. Not for use inside $(...): a subshell
# cannot wait for its parent's children.
EXIT_STATUS=""
wait_for_exit() {
    local pid=$1 limit=${2:-20}
    for _ in $(seq 1 $((limit * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$pid" || EXIT_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    return 1
}

# "XxY" of a window.
window_size() {
    xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: *//p'
}

# --- Driving the game window. The scripts set QH_LAYOUT_LOG, start the
# program with start_game and then find windows, buttons and pages in the log.
win=""
pid=""

# Clicks at window coordinates, after moving away so the button sees the pointer arrive.
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

# Clicks button $2 of window $1, as the layout log places it.
click_button() {
    local line=""
    for _ in $(seq 1 60); do
        line=$(grep "^window $1 button $2 at " "$QH_LAYOUT_LOG" 2>/dev/null | tail -1 || true)
        [ -n "$line" ] && break
        sleep 0.1
    done
    [ -n "$line" ] || fail "window $1 has no button $2"
    set -- $line
    click_at "$6" "$7"
}

# The last page line of the log for slot ${1:-0}:
# "page S section NAME rect X Y W H scroll O max M".
page_line() { grep "^page ${1:-0} section " "$QH_LAYOUT_LOG" 2>/dev/null | tail -1; }
section_name() { page_line | awk '{print $4}'; }
scroll_of() { page_line | awk '{print $11}'; }

# The button lines logged since the last page line of slot 0:
# "page 0 button ID at X Y clickable C digit D".
page_buttons() {
    awk '/^page 0 section /{n=0; delete b} /^page 0 button /{b[++n]=$0} END{for(i=1;i<=n;i++) print b[i]}' \
        "$QH_LAYOUT_LOG"
}

# Waits up to $1 seconds (default 8) for the main page to show any section.
wait_for_page() {
    for _ in $(seq 1 $((${1:-8} * 10))); do
        grep -q "^page 0 section " "$QH_LAYOUT_LOG" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "no page shown"
}

# Waits up to $2 seconds (default 8) for the main page to show section $1.
wait_for_section() {
    local want=$1 limit=${2:-8}
    for _ in $(seq 1 $((limit * 10))); do
        [ "$(section_name)" = "$want" ] && return 0
        sleep 0.1
    done
    fail "the page shows $(section_name), not $want"
}

# The logged screen position "X Y" of button $1 of the main page and whether
# it is clickable: "X Y C"; empty when the page shows no such button.
page_button_at() {
    page_buttons | awk -v id="$1" '$4 == id {x=$6; y=$7; c=$9} END{if (x != "") print x, y, c}'
}

# Scrolls the main page (Home, then Down) until button $1 lies inside it.
scroll_to_page_button() {
    local at rect py ph
    xdotool key --window "$win" Home
    sleep 0.3
    for _ in $(seq 1 200); do
        at=($(page_button_at "$1"))
        [ ${#at[@]} = 3 ] || fail "the page $(section_name) shows no button $1"
        rect=($(page_line))
        py=${rect[6]} ph=${rect[8]}
        [ "${at[1]}" -gt $((py + 12)) ] && [ "${at[1]}" -lt $((py + ph - 12)) ] && return 0
        [ "${rect[10]}" = "${rect[12]}" ] && break # at the bottom already
        xdotool key --window "$win" Next
        sleep 0.2
    done
    fail "button $1 of $(section_name) never scrolled into view"
}

# Scrolls to button $1 of the main page and clicks it; it must be clickable.
click_page_button() {
    scroll_to_page_button "$1"
    local at
    at=($(page_button_at "$1"))
    [ "${at[2]}" = 1 ] || fail "button $1 of $(section_name) is not clickable"
    click_at "${at[0]}" "${at[1]}"
}

shot() { [ -z "${QH_SHOT:-}" ] || import -window root "$QH_SHOT-$1.png"; }

# Starts the program with an empty log and skips the intro.
start_game() {
    : >"$QH_LAYOUT_LOG"
    "$QH_BIN" >>"$QH_HOME/out.txt" 2>&1 &
    pid=$!
    win=$(wait_for_window "Greystar - A Role Playing Adventure v1.17.0" 20) || fail "no window"
    sleep 1
    xdotool key --window "$win" Escape # skip the intro
    for _ in $(seq 1 50); do grep -q "^window " "$QH_LAYOUT_LOG" 2>/dev/null && break; sleep 0.1; done
    sleep 0.8
}

# First start: names the profile, takes the avatar, starts book 1 By-The-Book.
new_campaign_book1() {
    xdotool type --window "$win" --delay 60 "${1:-Aldric}"
    xdotool key --window "$win" Return
    sleep 1
    click_button 8 6   # accept the avatar
    click_button 0 2   # New Campaign
    click_button 15 12 # start book 1
    click_button 16 10 # the gameplay rules: start
    wait_for_page
    sleep 0.5
}

quit_with_escape() {
    xdotool key --window "$win" Escape
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
    local status=0
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "exit status $status"
}

# Clicks the opening-page tab $1 (0 Game Rules, 1 Disciplines, 2 Equipment).
click_tab() {
    local line
    line=$(grep "^tab $1 at " "$QH_LAYOUT_LOG" | tail -1 || true)
    [ -n "$line" ] || fail "no tab $1"
    set -- $line
    click_at "$4" "$5"
}

# The digit key that presses button $1 of the main page, as the log gives it;
# empty when no digit reaches it.
digit_for_page_button() {
    page_buttons | awk -v id="$1" '$4 == id && $11 > 0 {d=$11} END{if (d != "") print d}'
}

# The opening's Equipment tab, and its first button: the Backpack, a Meal, the
# Map and a pick of the table for the Crowns, whose number is shown and told.
open_equipment_and_take_the_pack() {
    click_tab 2
    wait_for_section equipmnt
    local messages
    messages=$(message_count)
    click_page_button 1
    sleep 2
    click_at 20 20 # the table's pick shown: a click closes it
    answer_message $((messages + 1))
}

# Presses button $1 of the main page with its digit key.
press_digit() {
    scroll_to_page_button "$1"
    local d
    d=$(digit_for_page_button "$1")
    [ -n "$d" ] || fail "button $1 of $(section_name) has no digit"
    xdotool key --window "$win" "$d"
    sleep 0.8
}

# From the first window after the intro to the resumed page, section $1. A
# first start asks for the player's name (the text player keeps a profile
# without one), then about update checks, before the menu.
resume_campaign_at() {
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
    wait_for_section "$1" 10
}

message_count() { grep -c "^message " "$QH_LAYOUT_LOG" 2>/dev/null || true; }

# Waits for message number $1 (counted from 1 in the log) and closes it with
# Escape, which only closes the top window while one is open.
answer_message() {
    for _ in $(seq 1 80); do
        [ "$(message_count)" -ge "$1" ] && break
        sleep 0.1
    done
    [ "$(message_count)" -ge "$1" ] || fail "message $1 never came"
    sleep 0.8
    xdotool key --window "$win" Escape
    sleep 0.6
}
