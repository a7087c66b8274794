#!/usr/bin/env bash
# A busy user's slips with the program itself on the test display, typing
# with xdotool and reading the screen and the X clipboard: 70 typed right
# after start-up, an edit after a computation, 760 kg answered N then Y.
# Writes the question box over the window to QUESTION_PNG.
#   slips_test.sh ORDAVEL QUESTION_PNG
# Exit status 77 (skipped) without a display or the X tools.
set -euo pipefail
program=$1
question_png=$2
work=$(mktemp -d)
program_pid=""
# xdotool decodes window titles in the locale's encoding.
export LC_ALL=C.UTF-8

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
for tool in xdotool xclip import convert; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

XDG_DATA_HOME="$work/data" "$program" &
program_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Ordavel$' | head -n 1) ||
    fail "the window did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
ox=$X
oy=$Y

click() {  # client x, client y
    xdotool mousemove $(($1 + ox)) $(($2 + oy)) click 1
    sleep 0.3
}
copy_button() { click 394 688; }
save_button() { click 250 688; }
weight_field() { click 292 159; }

# The box titled $1 appears (found by its WM_NAME); prints its id.
box_appears() {
    timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 ||
        fail "no box titled $1"
}
no_box() {
    sleep 0.5
    if xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; then fail "box $1 still open"; fi
}

verdict_colour_count() {  # RRGGBB -> pixels of that colour in the verdict line
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "492x46+$((492 + ox))+$((142 + oy))" +repage txt:- |
        grep -c "#$1" || true
}

# The clipboard as X pastes it ends exactly with the verdict.
clipboard_check() {  # text the clipboard must contain, what
    xclip -o -selection clipboard >"$work/clip" || fail "xclip could not read the clipboard"
    grep -q -F "$1" "$work/clip" || fail "$2: clipboard lacks '$1': $(cat "$work/clip")"
    local verdict="—— 重度高钾，立即处理并持续心电监护"
    printf '%s' "$verdict" >"$work/verdict"
    tail -c "$(stat -c %s "$work/verdict")" "$work/clip" | cmp -s - "$work/verdict" ||
        fail "$2: the clipboard does not end with the verdict: $(od -c "$work/clip" | tail -n 3)"
    echo "ok: $2"
}

# 1. Typing right after start-up replaces the default weight.
xdotool type --delay 80 70
xdotool key F5
sleep 0.8
copy_button
clipboard_check "胰岛素：7.0 U" "70 typed at start-up is computed as 70 kg"

# 2. An edit after the computation drops the result.
[ "$(verdict_colour_count BE1E2D)" -gt 0 ] || fail "no severe verdict after computing"
weight_field
xdotool key End
xdotool type --delay 80 5
sleep 0.5
[ "$(verdict_colour_count BE1E2D)" -eq 0 ] || fail "the verdict outlived the edit"
[ "$(verdict_colour_count 008060)" -gt 0 ] || fail "no prompt after the edit"
echo "ok: the edit emptied the verdict line"
copy_button
box_appears "提示" >/dev/null
xdotool key Return
no_box "提示"
save_button
box_appears "提示" >/dev/null
xdotool key Return
no_box "提示"
[ ! -e "$work/data/TarnMedSuite/records/T022.csv" ] || fail "a stale result was saved"
echo "ok: copy and save prompt after the edit"

# 3. 760 asks; N leaves 760 selected, so typing replaces it.
weight_field
xdotool key ctrl+a
xdotool type --delay 80 760
xdotool key F5
box=$(box_appears "请确认输入")
sleep 0.5
import -window root "$work/question.png"
convert "$work/question.png" -crop "1020x720+$ox+$oy" +repage "$question_png"
xdotool key n
no_box "请确认输入"
xdotool type --delay 80 70
xdotool key F5
sleep 0.8
no_box "请确认输入"
copy_button
clipboard_check "胰岛素：7.0 U" "N, then 70 typed over the selected 760"

# 4. Y computes with 760 kg.
weight_field
xdotool key ctrl+a
xdotool type --delay 80 760
xdotool key F5
box_appears "请确认输入" >/dev/null
xdotool key y
no_box "请确认输入"
copy_button
clipboard_check "胰岛素：76.0 U" "Y computes 760 kg"
echo "question box: $question_png (box $box)"
