#!/usr/bin/env bash
# A busy user's slips with the program itself on the test display, typing
# with xdotool and reading the screen and the X clipboard: 70 typed right
# after start-up (the potassium nobody typed asked about), an edit after a
# computation, 760 kg answered N then Y.
# Writes the question box over the window to QUESTION_PNG.
#   slips_test.sh ORDAVEL QUESTION_PNG
# Exit status 77 (skipped) without a display or the X tools.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../lib/window_session.sh"
program=$1
question_png=$2
# xdotool decodes window titles in the locale's encoding.
export LC_ALL=C.UTF-8
severe_verdict="—— 重度高钾，立即处理并持续心电监护"
session_begin
skip_without_display
skip_without_tools xdotool xclip import convert

start_program_with_own_records "$program"
window=$(wait_for_window 30)
find_client_area_of_window "$window"

# 1. Typing right after start-up replaces the default weight; the
# potassium, never typed, is asked about and Y uses it.
xdotool type --delay 80 70
xdotool key F5
answer_box "请确认输入" y
sleep 0.8
copy_button
expect_clipboard "胰岛素：7.0 U" "$severe_verdict" "70 typed at start-up is computed as 70 kg"

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
answer_box "提示" Return
save_button
answer_box "提示" Return
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
save_client_area "$work/question.png" "$question_png"
answer_box "请确认输入" n
xdotool type --delay 80 70
xdotool key F5
sleep 0.8
no_box "请确认输入"
copy_button
expect_clipboard "胰岛素：7.0 U" "$severe_verdict" "N, then 70 typed over the selected 760"

# 4. Y computes with 760 kg.
weight_field
xdotool key ctrl+a
xdotool type --delay 80 760
xdotool key F5
answer_box "请确认输入" y
copy_button
expect_clipboard "胰岛素：10.0 U" "$severe_verdict" "Y computes 760 kg, insulin at its ceiling"
echo "question box: $question_png (box $box)"
