# shellcheck shell=bash
# Sourced by the tests that drive the real window on an X display with
# xdotool and read it back from screenshots: starting and closing the
# program, finding its client area on the screen, clicking and typing at
# client coordinates, and checking colours, boxes and the clipboard.
#
# The caller sets `set -euo pipefail` and calls session_begin first. The
# state lives in a few globals:
#   work          a scratch folder, removed at exit
#   program_pid   the program while it runs
#   ox, oy        the client area's top-left pixel on the screen
# and the differences between the front ends are settings, set before use:
#   close_key            empty: the program is killed; alt+F4: it is asked to
#                        close first (Wine then ends its own processes)
#   keys_follow_pointer  true under Wine without a window manager, where the
#                        keys go to the window under the pointer
#   field_clear          the function that empties a focused field
#   box_timeout          seconds a message box may take to appear
#   box_unmap_polls      quarter seconds a closed box may stay on the screen
#                        after the first half second
close_key=""
keys_follow_pointer=false
field_clear=select_all_and_erase
box_timeout=10
box_unmap_polls=1

# The one virtual display starter of the scripts.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/display.sh"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Exit status 77 tells ctest the test was skipped, not failed.
skip_without_display() {
    [ -n "${DISPLAY:-}" ] || { echo "skipped: no X display"; exit 77; }
}
skip_without_tools() {  # tool...
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
    done
}
require_display() {
    [ -n "${DISPLAY:-}" ] || fail "no X display"
}

session_begin() {
    work=$(mktemp -d)
    program_pid=""
    xvfb_pid=""
    ox=""
    oy=""
    trap session_end EXIT
}

session_end() {
    close_program
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}

# A virtual display of the test's own, for a screen size or root window
# properties of its own. -noreset: the root window's properties outlive the
# last client.
start_own_display() {  # WIDTHxHEIGHTxDEPTH
    unset DISPLAY
    start_private_display 200 260 "$1" -noreset || fail "the virtual display did not start"
}

start_program() {  # command...
    "$@" &
    program_pid=$!
}

# The Linux program with a record folder of its own: a test must never
# touch the user's records.
start_program_with_own_records() {  # program
    XDG_DATA_HOME="$work/data" start_program "$1"
}

wait_for_window() {  # seconds -> id of the main window, once it is shown
    timeout "$1" xdotool search --sync --onlyvisible --name '^Ordavel$' | head -n 1 ||
        fail "the window did not appear"
}

close_program() {
    [ -n "$program_pid" ] || return 0
    if [ -n "$close_key" ] && kill -0 "$program_pid" 2>/dev/null; then
        if [ "$keys_follow_pointer" = true ] && [ -n "$ox" ]; then
            rest_pointer >/dev/null 2>&1 || true
            sleep 0.5
        fi
        xdotool key "$close_key" >/dev/null 2>&1 || true
        for _ in $(seq 50); do
            kill -0 "$program_pid" 2>/dev/null || break
            sleep 0.2
        done
    fi
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

# Where the X window is the client area (FLTK, and Wine without a window
# manager): its geometry. Sets ox, oy, client_width and client_height.
find_client_area_of_window() {  # window id
    # shellcheck disable=SC2034 # set by the geometry's eval
    local WINDOW X Y WIDTH HEIGHT SCREEN
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$1")"
    ox=$X
    oy=$Y
    # shellcheck disable=SC2034 # read by the caller
    client_width=$WIDTH
    # shellcheck disable=SC2034 # read by the caller
    client_height=$HEIGHT
}

# Where only the screen can tell: the client area's top-left pixel is the
# first of the accent strip's colour (nothing above or left of it on the
# screen has that colour), polled until the window has painted. Sets ox, oy.
find_client_area_by_accent_strip() {
    local origin=""
    for _ in $(seq 60); do
        import -window root "$work/accent.png"
        origin=$( (convert "$work/accent.png" txt:- || true) | grep -m 1 '#0084B0' | cut -d: -f1 || true)
        [ -n "$origin" ] && break
        sleep 0.5
    done
    [ -n "$origin" ] || fail "no accent strip on the screen"
    ox=${origin%,*}
    oy=${origin#*,}
    sleep 1
}

# --- Input at client coordinates ---

click() {  # client x, client y
    xdotool mousemove $(($1 + ox)) $(($2 + oy)) click 1
    sleep 0.4
}

# The header band: a click there does nothing, and without a window manager
# the keys go to the window the pointer rests on.
rest_pointer() {
    xdotool mousemove $((600 + ox)) $((60 + oy))
}

# Emptying a focused field: an FLTK input selects all on Ctrl+A; a Win32
# edit control does not, so its text is erased from the end.
select_all_and_erase() {
    xdotool key ctrl+a BackSpace
}
erase_from_end() {
    xdotool key End
    for _ in $(seq 12); do xdotool key BackSpace; done
}

replace_field() {  # client x, client y, text
    click "$1" "$2"
    "$field_clear"
    xdotool type --delay 60 "$3"
}

# The controls both front ends place alike.
copy_button() { click 394 688; }
save_button() { click 250 688; }
weight_field() { click 292 159; }

# --- The screen ---

save_client_area() {  # screenshot, output png
    convert "$1" -crop "1020x720+$ox+$oy" +repage "$2"
}

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
    [ -n "$best" ] && [ "$best" -le "$7" ] || fail "$8: nothing near #$6 (closest differs by $best)"
    echo "ok: $8 (within $best of #$6)"
}

# The regions both front ends paint alike, after a computation.
expect_layout_colours() {  # image
    expect_pixel "$1" 4 40 0084B0 "accent strip"
    expect_pixel "$1" 600 80 006C96 "header band"
    expect_pixel "$1" 100 400 FFFFFF "left panel"
    expect_pixel "$1" 994 300 FFFFFF "right panel"
    expect_pixel "$1" 20 300 DAE2E8 "left panel border"
    expect_pixel "$1" 200 133 E4EAEE "caption rule"
    expect_pixel "$1" 900 690 ECF1F4 "footer band"
    expect_pixel "$1" 24 672 007AA8 "compute button"
    expect_pixel "$1" 188 672 FFFFFF "save button"
}

verdict_colour_count() {  # RRGGBB -> pixels of that colour in the verdict line now
    import -window root "$work/screen.png"
    count_colour "$work/screen.png" 492 142 492 46 "$1"
}

# --- Message boxes, found by their WM_NAME ---

box_appears() {  # title -> id of the box
    timeout "$box_timeout" xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 ||
        fail "no box titled $1"
}

# Answers the box titled $1 with the key $2 and sees it close.
answer_box() {  # title, key
    # shellcheck disable=SC2034 # set by the geometry's eval
    local id WINDOW X Y WIDTH HEIGHT SCREEN
    id=$(box_appears "$1")
    if [ "$keys_follow_pointer" = true ]; then
        # The pointer rests on the box's text, then the key answers.
        sleep 0.5
        eval "$(xdotool getwindowgeometry --shell "$id")"
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 4))
        sleep 0.5
    fi
    xdotool key "$2"
    no_box "$1"
}

no_box() {  # title
    sleep 0.5
    for _ in $(seq "$box_unmap_polls"); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.25
    done
    fail "box $1 still open"
}

# --- The clipboard as X pastes it ---

expect_clipboard() {  # text it contains, text it ends with exactly, what
    sleep 0.5
    xclip -o -selection clipboard >"$work/clip" || fail "xclip could not read the clipboard"
    grep -q -F "$1" "$work/clip" || fail "$3: clipboard lacks '$1': $(cat "$work/clip")"
    printf '%s' "$2" >"$work/ending"
    tail -c "$(stat -c %s "$work/ending")" "$work/clip" | cmp -s - "$work/ending" ||
        fail "$3: the clipboard does not end with '$2': $(od -c "$work/clip" | tail -n 4)"
    echo "ok: $3"
}
