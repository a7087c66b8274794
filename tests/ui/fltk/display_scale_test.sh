#!/usr/bin/env bash
# The window on three desktops, each a virtual display of its own with a
# taskbar's 40 pixels left out of its work area (_NET_WORKAREA on the root)
# and the DPI its desktop asks for (Xft.dpi): the scale measured on the
# screen (the accent strip is 88 pixels high at 96 DPI) and the whole
# window inside the work area.
#   display_scale_test.sh ORDAVEL OUTPUT_FOLDER
# After a computation, the client areas at 144 DPI on 1920 x 1080 and at
# 96 DPI on 1024 x 600 go to OUTPUT_FOLDER/ordavel-linux-150.png and
# OUTPUT_FOLDER/ordavel-linux-1024x600.png.
# Exit status 77 (skipped) without the X tools.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../lib/window_session.sh"
program=$1
output=$2
session_begin
skip_without_tools Xvfb xrdb xdotool xprop xdpyinfo import convert

# Starts the program on a display of its own: WIDTHxHEIGHT, the work area
# "x, y, width, height", Xft.dpi. Sets ox, oy, client_width, client_height.
open_on() {  # geometry, work area, dpi
    close_program
    stop_private_display
    start_own_display "$1x24"
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$2"
    echo "Xft.dpi: $3" | xrdb -merge
    start_program_with_own_records "$program" >/dev/null 2>&1
    find_client_area_of_window "$(wait_for_window 30)"
}

# The accent strip's height on the screen / its 88 design pixels.
measured_scale() {  # screenshot
    local rows
    rows=$(convert "$1" -crop "1x$client_height+$((ox + 2))+$oy" +repage txt:- |
        grep -c '#0084B0' || true)
    awk -v rows="$rows" 'BEGIN { printf "%.3f", rows / 88 }'
}

expect_between() {  # value, low, high, what
    awk -v v="$1" -v low="$2" -v high="$3" 'BEGIN { exit !(v >= low && v <= high) }' ||
        fail "$4 is $1, not within $2..$3"
}

expect_inside_work_area() {  # work area "x, y, width, height"
    local x y width height
    read -r x y width height <<<"${1//,/}"
    if [ "$ox" -lt "$x" ] || [ "$oy" -lt "$y" ] ||
        [ $((ox + client_width)) -gt $((x + width)) ] ||
        [ $((oy + client_height)) -gt $((y + height)) ]; then
        fail "client area ${client_width}x$client_height at $ox,$oy leaves the work area $1"
    fi
    echo "ok: client area ${client_width}x$client_height at $ox,$oy inside the work area $1"
}

# 70 kg and 7.1 mmol/L computed from the keyboard: a severe verdict.
compute_severe_case() {
    rest_pointer
    xdotool type --delay 60 70
    xdotool key Tab
    xdotool type --delay 60 7.1
    xdotool key F5
    sleep 1
}

check_desktop() {  # geometry, work area, dpi, lowest scale, highest scale, screenshot name
    open_on "$1" "$2" "$3"
    if [ -n "$6" ]; then compute_severe_case; fi
    import -window root "$work/screen.png"
    local scale
    scale=$(measured_scale "$work/screen.png")
    echo "$1, work area $2, Xft.dpi $3: client area ${client_width}x$client_height," \
        "scale $scale measured"
    expect_between "$scale" "$4" "$5" "the scale"
    expect_inside_work_area "$2"
    if [ -n "$6" ]; then
        expect_colour_in_box "$work/screen.png" 0 0 "$client_width" "$client_height" BE1E2D \
            "severe verdict"
        convert "$work/screen.png" -crop "${client_width}x$client_height+$ox+$oy" +repage \
            "$output/$6"
        echo "screenshot: $output/$6"
    fi
}

mkdir -p "$output"
check_desktop 1920x1080 "0, 0, 1920, 1040" 144 1.3 1.5 ordavel-linux-150.png
check_desktop 1366x768 "0, 0, 1366, 728" 96 1 1 ""
check_desktop 1024x600 "0, 0, 1024, 560" 96 0.7 0.78 ordavel-linux-1024x600.png
echo "ok"
