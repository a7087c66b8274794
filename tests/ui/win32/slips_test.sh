#!/usr/bin/env bash
# A busy user's slips with ordavel.exe under Wine on the test display,
# typing with xdotool and reading the screen and the X clipboard: 70 typed
# right after start-up (the untouched potassium confirmed), an edit after a
# computation, 760 kg answered N then Y. Writes the question box over the
# window to QUESTION_PNG.
#   slips_test.sh WINE_RUN ORDAVEL_EXE QUESTION_PNG
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../lib/window_session.sh"
wine_run=$1
program=$2
question_png=$3
# xdotool decodes window titles in the locale's encoding.
export LC_ALL=C.UTF-8
# Alt+F4 lets Wine end its own processes; without a window manager the
# keys go to the window under the pointer, so it rests there first. Wine
# takes a moment (up to about two seconds here) to unmap a closed box.
close_key=alt+F4
keys_follow_pointer=true
box_timeout=15
box_unmap_polls=40
severe_verdict="—— 重度高钾，立即处理并持续心电监护"
session_begin
require_display

start_program "$wine_run" "$program"
wait_for_window 90 >/dev/null
find_client_area_by_accent_strip

# 1. Typing right after start-up replaces the default weight (the pointer
# rests on the window: without a window manager the keys go where it is).
# The potassium still holds its default: it is asked about, and Y takes it.
rest_pointer
sleep 1
xdotool type --delay 100 70
xdotool key F5
answer_box "请确认输入" y
sleep 1.5
copy_button
expect_clipboard "胰岛素：7.0 U" "$severe_verdict" "70 typed at start-up is computed as 70 kg"

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
save_button
answer_box "提示" Return
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
save_client_area "$work/question.png" "$question_png"
answer_box "请确认输入" n
# The keys go to the main window again.
rest_pointer
sleep 0.3
xdotool type --delay 100 70
xdotool key F5
sleep 1.5
no_box "请确认输入"
copy_button
expect_clipboard "胰岛素：7.0 U" "$severe_verdict" "N, then 70 typed over the selected 760"

# 4. Y computes with 760 kg.
weight_field
xdotool key End
for _ in 1 2 3; do xdotool key BackSpace; done
xdotool type --delay 100 760
xdotool key F5
answer_box "请确认输入" y
copy_button
expect_clipboard "胰岛素：10.0 U" "$severe_verdict" "Y computes 760 kg, insulin at its ceiling"
echo "question box: $question_png (box $box)"
