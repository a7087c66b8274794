#!/usr/bin/env bash
# Where the window opens on a 1366 x 768 screen whose work area leaves 40
# pixels to a taskbar, set in _NET_WORKAREA on the root window as a desktop
# does, on a virtual display of its own.
#   work_area_test.sh linux ORDAVEL
#   work_area_test.sh windows WINE_RUN ORDAVEL_EXE
# Linux: the 1020 x 720 window lies wholly in the work area, centred in it.
# Windows: the frame (745 pixels high) is taller than the 728 free pixels,
# so it starts at the work area's top: the window moves down with the work
# area's top, by exactly as much. Wine draws no caption without a window
# manager; the X window measured is the client area.
# Exit status 77 (skipped) without the X tools.
set -euo pipefail
mode=$1
shift
work=$(mktemp -d)
xvfb_pid=""
program_pid=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

close_program() {
    [ -n "$program_pid" ] || return 0
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}
cleanup() {
    close_program
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

for tool in Xvfb xdotool xprop xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

# -noreset: the root window's properties outlive the last client.
for number in $(seq 200 260); do
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
        Xvfb ":$number" -screen 0 1366x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$number"
        break
    fi
done
[ -n "$xvfb_pid" ] || fail "no free display number"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || fail "the virtual display did not start"

# Starts the program with a work area "x, y, width, height", closes it once
# it is shown and prints its client area's "X Y WIDTH HEIGHT".
client_area_with() {
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$1"
    if [ "$mode" = linux ]; then
        XDG_DATA_HOME="$work/data" "$program" >/dev/null 2>&1 &
    else
        # Wine reads the work area once while its server runs: each run
        # starts a server of its own.
        WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
        "$wine_run" "$program" >/dev/null 2>&1 &
    fi
    program_pid=$!
    local window
    window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Ordavel$' | head -n 1) ||
        fail "the window did not appear"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    close_program
    echo "$X $Y $WIDTH $HEIGHT"
}

case $mode in
    linux)
        program=$1
        read -r x y width height < <(client_area_with "0, 0, 1366, 728")
        echo "taskbar at the bottom: client area ${width}x$height at $x,$y"
        [ "$width" = 1020 ] && [ "$height" = 720 ] || fail "client area ${width}x$height"
        [ "$y" -ge 0 ] && [ $((y + height)) -le 728 ] ||
            fail "rows $y..$((y + height)) are not inside the work area's 0..728"
        [ "$x" = 173 ] && [ "$y" = 4 ] || fail "not centred in the work area: $x,$y"
        read -r x y width height < <(client_area_with "0, 40, 1366, 728")
        echo "taskbar at the top: client area at $x,$y"
        [ "$y" = 44 ] || fail "not centred below the top taskbar: row $y"
        ;;
    windows)
        wine_run=$1
        program=$2
        prefix=${ORDAVEL_WINEPREFIX:-$(cd "$(dirname "$wine_run")" && pwd)/../build/wineprefix}
        read -r x bottom_y width height < <(client_area_with "0, 0, 1366, 728")
        echo "taskbar at the bottom: client area ${width}x$height at $x,$bottom_y"
        [ "$x" = 173 ] || fail "not centred across the screen: column $x"
        # The frame's top at the work area's top: only the caption and the
        # border lie above the client area, and the footer stays on the screen.
        [ "$bottom_y" -gt 0 ] && [ "$bottom_y" -le 40 ] ||
            fail "client area at row $bottom_y, not just below a caption at row 0"
        [ $((bottom_y + height)) -le 768 ] || fail "the footer runs off the screen"
        read -r x top_y width height < <(client_area_with "0, 40, 1366, 728")
        echo "taskbar at the top: client area at $x,$top_y"
        [ $((top_y - bottom_y)) = 40 ] ||
            fail "the frame moved by $((top_y - bottom_y)), not by the taskbar's 40 pixels"
        ;;
    *) fail "unknown mode $mode" ;;
esac
echo "ok"
