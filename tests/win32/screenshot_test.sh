#!/usr/bin/env bash
# Runs ordavel.exe under Wine on the test display, types a weight and a
# potassium value, presses F5, captures the screen and checks the colours
# of the painted regions and of the verdict. Also writes the client area
# alone next to the capture (OUTPUT_PNG less .png, plus -client.png).
#   screenshot_test.sh WINE_RUN ORDAVEL_EXE OUTPUT_PNG
set -euo pipefail
wine_run=$1
program=$2
output=$3
work=$(mktemp -d)
program_pid=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

close_program() {
    [ -n "$program_pid" ] || return 0
    if kill -0 "$program_pid" 2>/dev/null; then
        xdotool key alt+F4 >/dev/null 2>&1 || true
        for _ in $(seq 50); do
            kill -0 "$program_pid" 2>/dev/null || break
            sleep 0.2
        done
        kill "$program_pid" 2>/dev/null || true
    fi
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}
trap 'close_program; rm -rf "$work"' EXIT

[ -n "${DISPLAY:-}" ] || fail "no X display"

"$wine_run" "$program" &
program_pid=$!

timeout 90 xdotool search --sync --name '^Ordavel$' >/dev/null ||
    fail "the window did not appear"

# The client area's top-left pixel is the first of the accent strip colour
# (nothing above or left of it on the screen has that colour). Polled until
# the window has painted.
origin=""
for _ in $(seq 60); do
    import -window root "$work/start.png"
    origin=$( (convert "$work/start.png" txt:- || true) | grep -m 1 '#0084B0' | cut -d: -f1 || true)
    [ -n "$origin" ] && break
    sleep 0.5
done
[ -n "$origin" ] || fail "no accent strip on the screen"
sleep 1
import -window root "$work/start.png"
ox=${origin%,*}
oy=${origin#*,}
echo "client area at $ox,$oy"

pixel() {  # client x, client y -> RRGGBB
    convert "$1" -format "%[hex:p{$(($2 + ox)),$(($3 + oy))}]" info: | cut -c1-6
}

expect_pixel() {  # image, x, y, RRGGBB, what
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5 at $2,$3 is #$got, expected #$4"
    echo "ok: $5 #$got"
}

# Within `tolerance` of a colour anywhere in a client box (anti-aliased text).
expect_colour_in_box() {  # image, x, y, width, height, RRGGBB, tolerance, what
    local best
    best=$(convert "$1" -crop "$4x$5+$(($2 + ox))+$(($3 + oy))" +repage txt:- |
        awk -v want="$6" '
            function byte(text, at) {
                digits = "0123456789ABCDEF"
                high = index(digits, substr(text, at, 1)) - 1
                return 16 * high + index(digits, substr(text, at + 1, 1)) - 1
            }
            function far(a, b) { return a > b ? a - b : b - a }
            BEGIN { best = 999 }
            match($0, /#[0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F]/) {
                hex = substr($0, RSTART + 1, 6)
                d = far(byte(hex, 1), byte(want, 1))
                if (far(byte(hex, 3), byte(want, 3)) > d) d = far(byte(hex, 3), byte(want, 3))
                if (far(byte(hex, 5), byte(want, 5)) > d) d = far(byte(hex, 5), byte(want, 5))
                if (d < best) best = d
            }
            END { print best }')
    [ -n "$best" ] && [ "$best" -le "$7" ] || fail "$8: nothing near #$6 (closest differs by $best)"
    echo "ok: $8 (within $best of #$6)"
}

replace_field() {  # client x, client y, text
    xdotool mousemove $(($1 + ox)) $(($2 + oy)) click 1
    sleep 0.3
    xdotool key End
    for _ in $(seq 12); do xdotool key BackSpace; done
    xdotool type --delay 60 "$3"
}

expect_pixel "$work/start.png" 8 0 006C96 "header band"
# Start-up prompt in the colour of level 0.
expect_colour_in_box "$work/start.png" 492 142 492 46 008060 40 "prompt in #008060"

replace_field 292 159 70
replace_field 292 193 7.1
sleep 0.3
xdotool key F5
sleep 1.5
import -window root "$output"

expect_pixel "$output" 4 40 0084B0 "accent strip"
expect_pixel "$output" 600 80 006C96 "header band"
expect_pixel "$output" 100 400 FFFFFF "left panel"
expect_pixel "$output" 994 300 FFFFFF "right panel"
expect_pixel "$output" 20 300 DAE2E8 "left panel border"
expect_pixel "$output" 200 133 E4EAEE "caption rule"
expect_pixel "$output" 900 690 ECF1F4 "footer band"
expect_pixel "$output" 24 672 007AA8 "compute button"
expect_pixel "$output" 188 672 FFFFFF "save button"
expect_colour_in_box "$output" 492 142 492 46 BE1E2D 40 "severe verdict in #BE1E2D"
expect_colour_in_box "$output" 494 198 488 228 2C3842 40 "report text in the result box"
expect_colour_in_box "$output" 740 704 264 16 78848E 40 "status line"
# The window alone, for the documentation.
convert "$output" -crop "1020x720+$ox+$oy" +repage "${output%.png}-client.png"
echo "screenshot: $output"
