#!/usr/bin/env bash
# Starts ordavel on the test display, types a weight and a potassium value
# with xdotool, presses F5, captures the screen and checks the colours of
# the painted regions and of the verdict.
#   screenshot_test.sh ORDAVEL OUTPUT_PNG
# OUTPUT_PNG is the whole screen; OUTPUT-client.png the client area alone.
# Exit status 77 (skipped) without a display or the X tools.
set -euo pipefail
program=$1
output=$2
work=$(mktemp -d)
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
trap 'close_program; rm -rf "$work"' EXIT

[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display"; exit 77; }
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

# Its own record folder: the test never saves, but it must not touch the user's.
XDG_DATA_HOME="$work/data" "$program" &
program_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Ordavel$' | head -n 1) ||
    fail "the window did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
ox=$X
oy=$Y
[ "$WIDTH" = 1020 ] && [ "$HEIGHT" = 720 ] || fail "client area is ${WIDTH}x$HEIGHT, not 1020x720"
echo "client area at $ox,$oy"

pixel() {  # image, client x, client y -> RRGGBB
    convert "$1" -format "%[hex:p{$(($2 + ox)),$(($3 + oy))}]" info: | cut -c1-6
}

expect_pixel() {  # image, x, y, RRGGBB, what
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5 at $2,$3 is #$got, expected #$4"
    echo "ok: $5 #$got"
}

count_colour() {  # image, x, y, width, height, RRGGBB -> pixels of exactly that colour
    convert "$1" -crop "$4x$5+$(($2 + ox))+$(($3 + oy))" +repage txt:- | grep -c "#$6" || true
}

expect_colour_in_box() {  # image, x, y, width, height, RRGGBB, what
    local count
    count=$(count_colour "$@")
    [ "$count" -gt 0 ] || fail "$7: no pixel of #$6 in the box"
    echo "ok: $7 ($count pixels of #$6)"
}

expect_no_colour_in_box() {  # image, x, y, width, height, RRGGBB, what
    local count
    count=$(count_colour "$@")
    [ "$count" -eq 0 ] || fail "$7: $count pixels of #$6 in the box"
    echo "ok: $7"
}

# Within `tolerance` of a colour somewhere in a client box: small
# anti-aliased text seldom reaches its colour exactly.
expect_near_colour_in_box() {  # image, x, y, width, height, RRGGBB, tolerance, what
    local best
    best=$(convert "$1" -crop "$4x$5+$(($2 + ox))+$(($3 + oy))" +repage txt:- |
        awk -v want="$6" '
            function digit(hex, at) { return index("0123456789ABCDEF", substr(hex, at, 1)) - 1 }
            function channel(hex, at) { return digit(hex, at) * 16 + digit(hex, at + 1) }
            function apart(a, b) { return a > b ? a - b : b - a }
            BEGIN { best = 999 }
            match($0, /#[0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F]/) {
                hex = substr($0, RSTART + 1, 6); d = 0
                for (at = 1; at <= 5; at += 2) {
                    c = apart(channel(hex, at), channel(want, at)); if (c > d) d = c
                }
                if (d < best) best = d
            }
            END { print best }')
    [ "$best" -le "$7" ] || fail "$8: nothing near #$6 (closest differs by $best)"
    echo "ok: $8 (within $best of #$6)"
}

replace_field() {  # client x, client y, text
    xdotool mousemove $(($1 + ox)) $(($2 + oy)) click 1
    sleep 0.3
    xdotool key ctrl+a BackSpace
    xdotool type --delay 60 "$3"
}

import -window root "$work/start.png"
expect_colour_in_box "$work/start.png" 492 142 492 46 008060 "prompt in #008060"
expect_no_colour_in_box "$work/start.png" 492 142 492 46 BE1E2D "no severe colour before computing"

replace_field 292 159 70
replace_field 292 193 7.1
sleep 0.3
xdotool key F5
sleep 1
import -window root "$output"

expect_pixel "$output" 4 40 0084B0 "accent strip"
expect_pixel "$output" 600 80 006C96 "header band"
expect_pixel "$output" 900 40 006C96 "header band, right end"
expect_pixel "$output" 100 400 FFFFFF "left panel"
expect_pixel "$output" 994 300 FFFFFF "right panel"
expect_pixel "$output" 20 300 DAE2E8 "left panel border"
expect_pixel "$output" 200 133 E4EAEE "caption rule"
expect_pixel "$output" 900 690 ECF1F4 "footer band"
expect_pixel "$output" 24 672 007AA8 "compute button"
expect_pixel "$output" 188 672 FFFFFF "save button"
expect_colour_in_box "$output" 492 142 492 46 BE1E2D "severe verdict in #BE1E2D"
expect_no_colour_in_box "$output" 492 142 492 46 008060 "no prompt colour left"
expect_near_colour_in_box "$output" 494 198 488 228 2C3842 8 "report text in the result box"
expect_near_colour_in_box "$output" 740 704 264 16 78848E 8 "status line"
expect_near_colour_in_box "$output" 492 444 492 120 2C3842 8 "note"
expect_near_colour_in_box "$output" 492 576 492 56 78848E 8 "reference line"
# The client area alone, as docs/ordavel-linux.png shows it.
convert "$output" -crop "1020x720+$ox+$oy" +repage "${output%.png}-client.png"
echo "screenshot: $output"
