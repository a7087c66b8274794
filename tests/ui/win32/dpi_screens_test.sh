#!/usr/bin/env bash
# ordavel.exe under Wine at several DPIs (LogPixels) on virtual displays of
# several sizes, each with a work area that leaves a taskbar below it
# (_NET_WORKAREA on the root window, as a desktop sets it), measured from
# screenshots after computing 70 kg and 7.1 mmol/L:
#   the scale       the accent strip's height / its 88 design pixels
#   the title       the height of the title's ink, against the same at 96 DPI
#                   on a screen that holds the window unshrunk
#   the fit         the client area, footer included, inside the work area,
#                   with room above it for the caption
# and the severe verdict shown in the verdict line at its scaled place.
# Prints every figure. Writes the client areas at 144 DPI on 1920 x 1080 and
# at 96 DPI on 1024 x 600 (ordavel-windows-150.png and
# ordavel-windows-1024x600.png, for the README) into OUTPUT_DIR.
#   dpi_screens_test.sh WINE_RUN ORDAVEL_EXE OUTPUT_DIR
# Wine draws no caption without a window manager: the X window measured is
# the client area. Runs in the DPI tests' own Wine prefix
# (tests/ui/win32/wine_dpi.sh). Exit status 77 (skipped) without the X tools.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$here/../../lib/window_session.sh"
# shellcheck source=SCRIPTDIR/wine_dpi.sh
. "$here/wine_dpi.sh"
program=$2
output=$3
# Alt+F4 lets Wine end its own processes; without a window manager the
# keys go to the window under the pointer.
close_key=alt+F4
keys_follow_pointer=true
session_begin
skip_without_tools Xvfb xdotool xprop xdpyinfo import convert
use_dpi_prefix "$1"
trap 'stop_wineserver; session_end' EXIT

# A design length at the measured scale, rounded.
at_scale() {  # length
    awk -v len="$1" -v scale="$scale" 'BEGIN { printf "%d", len * scale + 0.5 }'
}

# The height of the light ink (red above half) in a client box, or 0.
ink_height() {  # image, x, y, width, height
    local box
    box=$(convert "$1" -crop "$4x$5+$(($2 + ox))+$(($3 + oy))" +repage \
        -channel R -separate +channel -threshold 50% -format '%@' info:)
    box=${box#*x}
    echo "${box%%+*}"
}

# Starts the program with Wine at DPI on a display of its own of
# WIDTH x HEIGHT whose work area is the top AREA_HEIGHT rows, computes, and
# measures. Sets ox, oy, client_width, client_height, strip, scale and
# title_height; leaves the screenshot in $work/NAME.png.
run_at() {  # name, dpi, width, height, area height
    local name=$1 dpi=$2 width=$3 height=$4 area_height=$5 shot="$work/$1.png"
    stop_wineserver
    stop_private_display
    start_own_display "${width}x${height}x24"
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, $width, $area_height"
    set_log_pixels "$dpi"
    start_program "$wine_run" "$program"
    find_client_area_of_window "$(wait_for_window 90)"
    # Until the window has painted its accent strip.
    for _ in $(seq 40); do
        import -window root "$shot"
        [ "$(pixel "$shot" 0 0)" = 0084B0 ] && break
        sleep 0.5
    done
    strip=$(count_colour "$shot" 0 0 1 "$client_height" 0084B0)
    scale=$(awk -v strip="$strip" 'BEGIN { printf "%.3f", strip / 88 }')
    # The title's box above the subtitle's.
    title_height=$(ink_height "$shot" "$(at_scale 26)" "$(at_scale 12)" "$(at_scale 700)" \
        "$(($(at_scale 48) - $(at_scale 12)))")
    echo "$name: $dpi DPI on ${width}x$height, work area ${width}x$area_height:" \
        "client area ${client_width}x$client_height at $ox,$oy;" \
        "accent strip $strip px high, scale $scale; title $title_height px high"

    [ "$ox" -ge 0 ] && [ $((ox + client_width)) -le "$width" ] ||
        fail "$name: columns $ox..$((ox + client_width)) are not on the $width-pixel screen"
    [ "$oy" -gt 0 ] || fail "$name: no room for the caption above row $oy"
    [ $((oy + client_height)) -le "$area_height" ] ||
        fail "$name: the client area ends at row $((oy + client_height)), below the work area's $area_height"
    expect_pixel "$shot" 10 $((client_height - 1)) ECF1F4 \
        "$name: footer band on the client area's last row, $((oy + client_height - 1)) <= $((area_height - 1))"

    # 70 kg typed over the selected default, Tab to the potassium, 7.1, F5.
    rest_pointer
    sleep 1
    xdotool type --delay 100 70
    xdotool key Tab
    xdotool type --delay 100 7.1
    xdotool key F5
    sleep 1.5
    import -window root "$shot"
    expect_near_colour_in_box "$shot" "$(at_scale 492)" "$(at_scale 142)" "$(at_scale 492)" \
        "$(at_scale 46)" BE1E2D 40 "$name: severe verdict in its scaled line"
    close_program
}

# Within a range, inclusive.
expect_between() {  # value, lowest, highest, what
    awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }' ||
        fail "$4 is $1, not within $2..$3"
    echo "ok: $4 $1 within $2..$3"
}

save_client() {  # name, output png
    convert "$work/$1.png" -crop "${client_width}x$client_height+$ox+$oy" +repage "$2"
    echo "screenshot: $2"
}

# The title grew with the scale: within 0.1 of it.
expect_title_at_scale() {  # name
    local ratio
    ratio=$(awk -v h="$title_height" -v base="$base_title" 'BEGIN { printf "%.3f", h / base }')
    expect_between "$ratio" "$(awk -v s="$scale" 'BEGIN { print s - 0.1 }')" \
        "$(awk -v s="$scale" 'BEGIN { print s + 0.1 }')" "$1: title height / at 96 DPI"
}

# 96 DPI on a screen that holds the window: the design's pixels.
run_at plain 96 1920 1080 1040
[ "$strip" = 88 ] && [ "$client_width" = 1020 ] && [ "$client_height" = 720 ] ||
    fail "at 96 DPI the window is not the design's 1020 x 720 (strip $strip)"
[ "$title_height" -gt 10 ] || fail "no title at 96 DPI"
base_title=$title_height

# 144 DPI (150 %) on 1920 x 1080: 1.5 shrunk to fit the 1040 rows.
run_at 150 144 1920 1080 1040
expect_between "$scale" 1.3 1.5 "150: scale"
expect_title_at_scale 150
save_client 150 "$output/ordavel-windows-150.png"

# 192 DPI (200 %) on 3840 x 2160: scale 2, unshrunk.
run_at 200 192 3840 2160 2120
[ "$strip" = 176 ] || fail "200: accent strip $strip px high, not 176"
expect_title_at_scale 200

# 96 DPI on the small screens of ward laptops: shrunk to fit.
run_at 1366x768 96 1366 768 728
expect_between "$scale" 0.9 0.99 "1366x768: scale"
expect_title_at_scale 1366x768
run_at 1024x600 96 1024 600 560
expect_between "$scale" 0.7 0.78 "1024x600: scale"
expect_title_at_scale 1024x600
save_client 1024x600 "$output/ordavel-windows-1024x600.png"
echo "ok"
