# Sourced by scripts/test, scripts/fuzz and the window test scripts: a
# private virtual X display for the window tests, unless the caller brought
# a display (unset DISPLAY first to have one of its own in any case).
#
#   start_private_display FIRST LAST [GEOMETRY [XVFB OPTION...]]
#       tries display numbers FIRST..LAST; GEOMETRY defaults to 1280x900x24
#
# Exports DISPLAY and sets xvfb_pid (empty when the caller's display is
# used). Returns non-zero, with a message, when no server answered: a test
# run without its display would only fail later and less clearly.
start_private_display() {
    xvfb_pid=""
    if [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    local first=$1 last=$2 geometry=${3:-1280x900x24}
    shift $(($# < 3 ? $# : 3))
    local number
    for number in $(seq "$first" "$last"); do
        if [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; then
            continue
        fi
        Xvfb ":$number" -screen 0 "$geometry" -nolisten tcp "$@" >/dev/null 2>&1 &
        xvfb_pid=$!
        local _
        for _ in $(seq 100); do
            if DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$number"
                return 0
            fi
            # A server that lost the race for this number has exited: try the next.
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=""
    done
    echo "no virtual X display could be started on :$first..:$last (is xvfb installed? scripts/setup)" >&2
    return 1
}

stop_private_display() {
    if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null; fi
    xvfb_pid=""
}
