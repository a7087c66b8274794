#!/usr/bin/env bash
# Starts ordavel on the test display, types a weight and a potassium value
# with xdotool, presses F5, captures the screen and checks the colours of
# the painted regions and of the verdict.
#   screenshot_test.sh ORDAVEL OUTPUT_PNG
# OUTPUT_PNG is the whole screen; OUTPUT-client.png the client area alone.
# Exit status 77 (skipped) without a display or the X tools.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../lib/window_session.sh"
program=$1
output=$2
session_begin
skip_without_display
skip_without_tools xdotool import convert

# The test never saves, but it must not touch the user's records.
start_program_with_own_records "$program"
window=$(wait_for_window 30)
find_client_area_of_window "$window"
[ "$client_width" = 1020 ] && [ "$client_height" = 720 ] ||
    fail "client area is ${client_width}x$client_height, not 1020x720"
echo "client area at $ox,$oy"

import -window root "$work/start.png"
expect_colour_in_box "$work/start.png" 492 142 492 46 008060 "prompt in #008060"
expect_no_colour_in_box "$work/start.png" 492 142 492 46 BE1E2D "no severe colour before computing"

replace_field 292 159 70
replace_field 292 193 7.1
sleep 0.3
xdotool key F5
sleep 1
import -window root "$output"

expect_layout_colours "$output"
expect_pixel "$output" 900 40 006C96 "header band, right end"
expect_colour_in_box "$output" 492 142 492 46 BE1E2D "severe verdict in #BE1E2D"
expect_no_colour_in_box "$output" 492 142 492 46 008060 "no prompt colour left"
expect_near_colour_in_box "$output" 494 198 488 228 2C3842 8 "report text in the result box"
expect_near_colour_in_box "$output" 740 704 264 16 78848E 8 "status line"
expect_near_colour_in_box "$output" 492 444 492 120 2C3842 8 "note"
expect_near_colour_in_box "$output" 492 576 492 56 78848E 8 "reference line"
# The client area alone, as docs/ordavel-linux.png shows it.
save_client_area "$output" "${output%.png}-client.png"
echo "screenshot: $output"
