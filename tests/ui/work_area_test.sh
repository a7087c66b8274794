#!/usr/bin/env bash
# Where the window opens on a 1366 x 768 screen whose work area leaves 40
# pixels to a taskbar, set in _NET_WORKAREA on the root window as a desktop
# does, on a virtual display of its own.
#   work_area_test.sh linux ORDAVEL
#   work_area_test.sh windows WINE_RUN ORDAVEL_EXE
# Linux: the 1020 x 720 window lies wholly in the work area, centred in it.
# Windows: the frame of the 1020 x 720 design (745 pixels high) is taller
# than the 728 free pixels, so the window shrinks to the largest scale that
# fits: it fills the work area's height from its top, centred across, and
# its footer ends above the taskbar; it moves down with the work area's
# top, by exactly as much. Wine draws no caption without a window manager;
# the X window measured is the client area.
# Exit status 77 (skipped) without the X tools.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../lib/window_session.sh"
mode=$1
shift
session_begin
skip_without_tools Xvfb xdotool xprop xdpyinfo
start_own_display 1366x768x24

# Starts the program with a work area "x, y, width, height", closes it once
# it is shown and prints its client area's "X Y WIDTH HEIGHT".
client_area_with() {
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$1"
    if [ "$mode" = linux ]; then
        start_program_with_own_records "$program" >/dev/null 2>&1
    else
        # Wine reads the work area once while its server runs: each run
        # starts a server of its own.
        WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
        start_program "$wine_run" "$program" >/dev/null 2>&1
    fi
    local window
    window=$(wait_for_window 90)
    find_client_area_of_window "$window"
    close_program
    echo "$ox $oy $client_width $client_height"
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
        # The wineserver keeps this display's work area while it runs: the
        # next test of the prefix, on another display, must start a fresh one.
        trap 'session_end; WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true' EXIT
        read -r x bottom_y width height < <(client_area_with "0, 0, 1366, 728")
        echo "taskbar at the bottom: client area ${width}x$height at $x,$bottom_y"
        [ "$height" -lt 720 ] || fail "client area ${width}x$height: not shrunk to fit"
        # Scaled, not cut: 1020 to 720, to the rounding of a pixel each way.
        skew=$((width * 720 - height * 1020))
        [ "${skew#-}" -le 870 ] || fail "client area ${width}x$height: not the design's proportions"
        # The frame's borders are alike on both sides.
        right=$((1366 - x - width))
        [ $((x - right)) -ge -1 ] && [ $((x - right)) -le 1 ] ||
            fail "not centred across the screen: $x columns left, $right right"
        # The frame's top at the work area's top: only the caption and the
        # border lie above the client area, and the footer ends above the taskbar.
        [ "$bottom_y" -gt 0 ] && [ "$bottom_y" -le 40 ] ||
            fail "client area at row $bottom_y, not just below a caption at row 0"
        [ $((bottom_y + height)) -le 728 ] ||
            fail "the footer runs under the taskbar, to row $((bottom_y + height))"
        read -r x top_y width height < <(client_area_with "0, 40, 1366, 728")
        echo "taskbar at the top: client area ${width}x$height at $x,$top_y"
        [ $((top_y - bottom_y)) = 40 ] ||
            fail "the frame moved by $((top_y - bottom_y)), not by the taskbar's 40 pixels"
        [ $((top_y + height)) -le 768 ] || fail "the footer runs off the screen"
        ;;
    *) fail "unknown mode $mode" ;;
esac
echo "ok"
