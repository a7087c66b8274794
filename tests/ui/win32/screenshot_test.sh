#!/usr/bin/env bash
# Runs ordavel.exe under Wine on the test display, types a weight and a
# potassium value, presses F5, captures the screen and checks the colours
# of the painted regions and of the verdict. Also writes the client area
# alone next to the capture (OUTPUT_PNG less .png, plus -client.png).
#   screenshot_test.sh WINE_RUN ORDAVEL_EXE OUTPUT_PNG
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../lib/window_session.sh"
wine_run=$1
program=$2
output=$3
# Alt+F4 lets Wine end its own processes; without a window manager the key
# goes to the window under the pointer.
close_key=alt+F4
keys_follow_pointer=true
field_clear=erase_from_end
session_begin
require_display

start_program "$wine_run" "$program"
wait_for_window 90 >/dev/null
find_client_area_by_accent_strip
echo "client area at $ox,$oy"
import -window root "$work/start.png"

expect_pixel "$work/start.png" 8 0 006C96 "header band"
# Start-up prompt in the colour of level 0.
expect_near_colour_in_box "$work/start.png" 492 142 492 46 008060 40 "prompt in #008060"

replace_field 292 159 70
replace_field 292 193 7.1
sleep 0.3
xdotool key F5
sleep 1.5
import -window root "$output"

expect_layout_colours "$output"
expect_near_colour_in_box "$output" 492 142 492 46 BE1E2D 40 "severe verdict in #BE1E2D"
expect_near_colour_in_box "$output" 494 198 488 228 2C3842 40 "report text in the result box"
expect_near_colour_in_box "$output" 740 704 264 16 78848E 40 "status line"
# The window alone, for the documentation.
save_client_area "$output" "${output%.png}-client.png"
echo "screenshot: $output"
