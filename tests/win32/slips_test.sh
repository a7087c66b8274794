#!/usr/bin/env bash
# A busy user's slips with ordavel.exe under Wine on the test display,
# typing with xdotool and reading the screen and the X clipboard: 70 typed
# right after start-up, an edit after a computation, 760 kg answered N then
# Y. Writes the question box over the window to QUESTION_PNG.
#   slips_test.sh WINE_RUN ORDAVEL_EXE QUESTION_PNG
set -euo pipefail
wine_run=$1
program=$2
question_png=$3
work=$(mktemp -d)
program_pid=""
ox=""
oy=""
# xdotool decodes window titles in the locale's encoding.
export LC_ALL=C.UTF-8

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

close_program() {
    [ -n "$program_pid" ] || return 0
    if kill -0 "$program_pid" 2>/dev/null; then
        # Alt+F4 goes to the window under the pointer.
        [ -z "${ox:-}" ] || xdotool mousemove $((600 + ox)) $((60 + oy)) >/dev/null 2>&1 || true
        sleep 0.5
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
timeout 90 xdotool search --sync --name '^Ordavel$' >/dev/null || fail "the window did not appear"

# The client area's top-left pixel is the first of the accent strip colour.
origin=""
for _ in $(seq 60); do
    import -window root "$work/start.png"
    origin=$( (convert "$work/start.png" txt:- || true) | grep -m 1 '#0084B0' | cut -d: -f1 || true)
    [ -n "$origin" ] && break
    sleep 0.5
done
[ -n "$origin" ] || fail "no accent strip on the screen"
ox=${origin%,*}
oy=${origin#*,}
sleep 1

click() {  # client x, client y
    xdotool mousemove $(($1 + ox)) $(($2 + oy)) click 1
    sleep 0.4
}
copy_button() { click 394 688; }
save_button() { click 250 688; }
weight_field() { click 292 159; }

box_appears() {  # title -> id of the box found by its WM_NAME
    timeout 15 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 ||
        fail "no box titled $1"
}
# Without a window manager the keys go to the window under the pointer:
# the pointer rests on the box's text, then the key answers.
answer_box() {  # title, key
    local id
    id=$(box_appears "$1")
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 4))
    sleep 0.5
    xdotool key "$2"
}
# Wine takes a moment (up to about two seconds here) to unmap a closed box.
no_box() {
    for _ in $(seq 40); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.25
    done
    fail "box $1 still open"
}

verdict_colour_count() {  # RRGGBB -> pixels near that colour in the verdict line
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "492x46+$((492 + ox))+$((142 + oy))" +repage txt:- |
        grep -c "#$1" || true
}

clipboard_check() {  # text the clipboard must contain, what
    sleep 0.5
    xclip -o -selection clipboard >"$work/clip" || fail "xclip could not read the clipboard"
    grep -q -F "$1" "$work/clip" || fail "$2: clipboard lacks '$1': $(cat "$work/clip")"
    local verdict="—— 重度高钾，立即处理并持续心电监护"
    printf '%s' "$verdict" >"$work/verdict"
    tail -c "$(stat -c %s "$work/verdict")" "$work/clip" | cmp -s - "$work/verdict" ||
        fail "$2: the pasted text does not end with the verdict: $(od -c "$work/clip" | tail -n 4)"
    echo "ok: $2"
}

# 1. Typing right after start-up replaces the default weight (the pointer
# rests on the window: without a window manager the keys go where it is).
xdotool mousemove $((600 + ox)) $((60 + oy))
sleep 1
xdotool type --delay 100 70
xdotool key F5
sleep 1.5
copy_button
clipboard_check "胰岛素：7.0 U" "70 typed at start-up is computed as 70 kg"

# 2. An edit after the computation drops the result.
[ "$(verdict_colour_count BE1E2D)" -gt 0 ] || fail "no severe verdict after computing"
weight_field
xdotool key End
xdotool type --delay 100 5
sleep 1
[ "$(verdict_colour_count BE1E2D)" -eq 0 ] || fail "the verdict outlived the edit"
echo "ok: the edit emptied the verdict line"
copy_button
answer_box "提示" Return
no_box "提示"
save_button
answer_box "提示" Return
no_box "提示"
echo "ok: copy and save prompt after the edit"

# 3. 760 asks; N leaves 760 selected, so typing replaces it.
weight_field
xdotool key End
for _ in 1 2 3 4; do xdotool key BackSpace; done
xdotool type --delay 100 760
xdotool key F5
box=$(box_appears "请确认输入")
sleep 1
import -window root "$work/question.png"
convert "$work/question.png" -crop "1020x720+$ox+$oy" +repage "$question_png"
answer_box "请确认输入" n
no_box "请确认输入"
# The keys go to the main window again.
xdotool mousemove $((600 + ox)) $((60 + oy))
sleep 0.3
xdotool type --delay 100 70
xdotool key F5
sleep 1.5
no_box "请确认输入"
copy_button
clipboard_check "胰岛素：7.0 U" "N, then 70 typed over the selected 760"

# 4. Y computes with 760 kg.
weight_field
xdotool key End
for _ in 1 2 3; do xdotool key BackSpace; done
xdotool type --delay 100 760
xdotool key F5
answer_box "请确认输入" y
no_box "请确认输入"
copy_button
clipboard_check "胰岛素：76.0 U" "Y computes 760 kg"
echo "question box: $question_png (box $box)"
