# Shared helpers of the end-to-end scripts. Each script runs the program with
# HOME pointed at a fresh temporary folder, never the real one.
set -euo pipefail

QH_BIN=${1:?usage: script.sh path/to/quillhaven}
QH_HOME=$(mktemp -d /tmp/qh-e2e-XXXXXX)
export HOME=$QH_HOME
QH_USER="$QH_HOME/Documents/Quillhaven"
trap 'rm -rf "$QH_HOME"' EXIT

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
