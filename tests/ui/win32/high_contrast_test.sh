#!/usr/bin/env bash
# The real Win32 window under a High Contrast theme (High Contrast Black,
# forced by win32_high_contrast_window: Wine cannot switch the theme on),
# on the test display after computing 70 kg and 7.1 mmol/L: every region,
# button and text in the theme's colours, and no pixel in a colour of the
# palette. Writes the screen to OUTPUT_PNG and the client area alone next
# to it (-client.png), to be looked at.
#   high_contrast_test.sh WINE_RUN WINDOW_EXE OUTPUT_PNG
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
session_begin
require_display

start_program "$wine_run" "$program"
find_client_area_of_window "$(wait_for_window 90)"
# Until the window has painted its accent strip in the highlight colour.
for _ in $(seq 40); do
    import -window root "$output"
    [ "$(pixel "$output" 0 0)" = 1AEBFF ] && break
    sleep 0.5
done
sleep 1
import -window root "$output"

expect_pixel "$output" 4 40 1AEBFF "accent strip: highlight"
expect_pixel "$output" 600 80 1AEBFF "header band: highlight"
expect_pixel "$output" 10 300 000000 "background: button face"
expect_pixel "$output" 100 400 000000 "left panel: window"
expect_pixel "$output" 20 300 FFFFFF "left panel border: window text"
expect_pixel "$output" 200 133 3FF23F "caption rule: gray text"
expect_pixel "$output" 900 690 000000 "footer band: button face"
expect_pixel "$output" 24 672 1AEBFF "compute button: highlight"
expect_pixel "$output" 184 668 FFFFFF "save button's border: button text"
expect_near_colour_in_box "$output" 26 12 700 38 000000 0 "title: highlight text"
expect_near_colour_in_box "$output" 492 142 492 46 FFFFFF 40 "verdict: window text, no level colour"
expect_near_colour_in_box "$output" 494 198 488 228 FFFFFF 40 "report: window text"
expect_near_colour_in_box "$output" 24 151 184 22 3FF23F 40 "label: gray text"
expect_near_colour_in_box "$output" 740 704 264 16 FFFFFF 40 "status line: button text"
for colour in F4F7F9 006C96 0084B0 D6ECF6 DAE2E8 E4EAEE ECF1F4 2C3842 78848E 007AA8 \
    00648A 006A94 E2EAF0 CED8E0 008060 B08400 D66C00 BE1E2D; do
    expect_no_colour_in_box "$output" 0 0 1020 720 "$colour" "no #$colour of the palette"
done
save_client_area "$output" "${output%.png}-client.png"
echo "screenshot: ${output%.png}-client.png"
