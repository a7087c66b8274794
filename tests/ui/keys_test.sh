#!/usr/bin/env bash
# A clinician who works from the keyboard, with the program itself on the
# test display: the potassium nobody typed asked about at start-up, Tab
# between the fields and the buttons, the report that has the focus after
# a computation, Enter and Space on a button, a saved record, reset, the
# doses of a child, an adult and a heavy patient, the four grades, no dose
# without hyperkalaemia, a negative weight, full-width digits. Each result
# is read back from the X clipboard.
#   keys_test.sh linux ORDAVEL
#   keys_test.sh windows WINE_RUN ORDAVEL_EXE
# Exit status 77 (skipped) without a display or the X tools.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../lib/window_session.sh"
mode=$1
shift
# xdotool decodes window titles in the locale's encoding.
export LC_ALL=C.UTF-8
severe="—— 重度高钾，立即处理并持续心电监护"
moderate="—— 中度高钾：立即做心电图，有改变按重度处理"
mild="—— 轻度高钾：做心电图，停用升钾药物，复查血钾"
normal="—— 血钾未升高，无需降钾急救用药"
low="—— 血钾偏低，不宜使用胰岛素，请复核血钾"
no_dose="血钾 <5.5 mmol/L：不计算降钾急救用药"
question="请确认输入"
session_begin
skip_without_display
skip_without_tools xdotool xclip import convert

case $mode in
    linux)
        start_program_with_own_records "$1"
        window=$(wait_for_window 30)
        find_client_area_of_window "$window"
        records_file=$work/data/TarnMedSuite/records/T022.csv
        settle=0.8
        ;;
    windows)
        # As in the slips test: Alt+F4 to close, the keys go to the window
        # under the pointer, boxes take a while to come and go.
        close_key=alt+F4
        keys_follow_pointer=true
        field_clear=erase_from_end
        box_timeout=15
        box_unmap_polls=40
        prefix=${ORDAVEL_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/../build/wineprefix}
        start_program "$1" "$2"
        wait_for_window 90 >/dev/null
        find_client_area_by_accent_strip
        rest_pointer
        sleep 1
        settle=1.5
        ;;
    *) fail "unknown mode $mode" ;;
esac

# Without a window manager the keys go to the window under the pointer.
pointer_to_window() {
    if [ "$keys_follow_pointer" = true ]; then rest_pointer; fi
}
keys() {  # xdotool key names
    xdotool key --delay 120 "$@"
    sleep 0.3
}
typed() {  # text
    xdotool type --delay 100 -- "$1"
}
compute() {  # Enter: from a field or the report it computes
    keys Return
    sleep "$settle"
}
f5() {  # from any control
    keys F5
    sleep "$settle"
}
# Answers a box and gives the keys back to the main window.
answer() {  # title, key
    answer_box "$1" "$2"
    pointer_to_window
}
# From the report, where a computation leaves the focus: Shift+Tab reaches
# 关于, 清空重填, then 复制结果, which Space presses.
copy_by_keys() {
    keys shift+Tab shift+Tab shift+Tab space
}
# What the last expect_clipboard read must not hold.
expect_clipboard_lacks() {  # text, what
    if grep -q -F "$1" "$work/clip"; then fail "$2: the clipboard holds '$1': $(cat "$work/clip")"; fi
    echo "ok: $2"
}

# Focus dots in the caption colour along the row 4 pixels inside a button.
focus_dots() {  # button x, button width, caption RRGGBB -> how many
    import -window root "$work/focus.png"
    count_colour "$work/focus.png" $(($1 + 4)) 672 $(($2 - 8)) 1 "$3"
}

# The record lines saved so far (the Windows program keeps them in the
# test's Wine prefix).
record_lines() {
    local file=${records_file:-}
    if [ "$mode" = windows ]; then
        file=$(find "$prefix/drive_c/users" -path '*TarnMedSuite/records/T022.csv' 2>/dev/null |
            head -n 1)
    fi
    if [ -n "$file" ] && [ -f "$file" ]; then grep -c ',Ordavel,' "$file" || true; else echo 0; fi
}

# 1. At start-up, 8 then Enter (the "next field" habit) asks about the
# potassium nobody typed; N computes nothing and leaves that field focused
# with its text selected, so 7.0 replaces it. A child of 8 kg gets 10%
# glucose, not 50%.
typed 8
compute
answer "$question" n
typed 7.0
compute
copy_by_keys
expect_clipboard "10% 葡萄糖酸钙：4.0 ml" "$severe" "8 Enter, N, 7.0 Enter computes for 8 kg and 7.0"
for line in "胰岛素：0.8 U" "葡萄糖：4.0 g" "10% 葡萄糖：40.0 ml"; do
    grep -q -F "$line" "$work/clip" || fail "8 kg / 7.0: no '$line': $(cat "$work/clip")"
done
echo "ok: 8 kg / 7.0: calcium 4.0 ml, insulin 0.8 U, glucose 4.0 g as 40.0 ml of 10%"
expect_clipboard_lacks "50% 葡萄糖" "8 kg / 7.0: no 50% glucose"
[ "$(focus_dots 328 132 2C3842)" -gt 20 ] || fail "复制结果 does not show the keyboard's focus"
echo "ok: 复制结果, reached by Shift+Tab, shows a focus rectangle"

# 2. After F5 the report has the focus; Tab from it reaches the weight, its
# text selected, and Tab goes on to the potassium instead of joining the
# numbers. 40 kg gets 50% glucose and no 10%.
f5
if [ "$mode" = linux ]; then
    import -window root "$work/report.png"
    expect_colour_in_box "$work/report.png" 492 196 492 232 006C96 "the report shows the focus"
fi
keys Tab
typed 40
keys Tab
typed 7.0
compute
copy_by_keys
expect_clipboard "50% 葡萄糖：40.0 ml" "$severe" "F5, Tab 40 Tab 7.0 Enter computes for 40 kg"
expect_clipboard_lacks "10% 葡萄糖：" "40 kg: no 10% glucose"

# 3. A heavy patient: glucose stops at 50 g, 100 ml of 50%.
f5
keys Tab
typed 120
keys Tab
typed 6.5
compute
copy_by_keys
expect_clipboard "葡萄糖：50.0 g" "$severe" "120 kg / 6.5: glucose 50.0 g"
grep -q -F "50% 葡萄糖：100.0 ml" "$work/clip" || fail "120 kg / 6.5: not 100.0 ml of 50%"
grep -q -F "胰岛素：10.0 U" "$work/clip" || fail "120 kg / 6.5: insulin not 10.0 U"
echo "ok: 120 kg / 6.5: 100.0 ml of 50%, insulin 10.0 U"

# 4. Shift+Tab comes back to the weight, selected; 6.0-6.4 is moderate.
f5
keys Tab Tab shift+Tab
typed 60
keys Tab
typed 6.2
compute
[ "$(verdict_colour_count D66C00)" -gt 0 ] || fail "potassium 6.2 is not graded level 2"
copy_by_keys
expect_clipboard "胰岛素：6.0 U" "$moderate" "Tab Tab Shift+Tab 60 Tab 6.2 Enter: level 2, ECG"

# 5. In the report after F5 typing changes nothing and Enter computes again;
# Shift+Tab reaches 关于, which Enter presses.
f5
typed 5
compute
keys shift+Tab Return
answer "关于本工具" Return
keys shift+Tab shift+Tab space
expect_clipboard "胰岛素：6.0 U" "$moderate" "typing in the report changed nothing"
echo "ok: from the report Shift+Tab reaches 关于, and Enter presses it"

# 6. 5.5-5.9 is mild; below 5.5 no dose, the report says so.
f5
keys Tab Tab
typed 5.7
compute
[ "$(verdict_colour_count B08400)" -gt 0 ] || fail "potassium 5.7 is not graded level 1"
copy_by_keys
expect_clipboard "胰岛素：6.0 U" "$mild" "60 kg / 5.7: level 1"
f5
keys Tab Tab
typed 4.5
compute
copy_by_keys
expect_clipboard "$no_dose" "$normal" "60 kg / 4.5: no dose"
expect_clipboard_lacks "胰岛素" "60 kg / 4.5: no insulin"
f5
keys Tab Tab
typed 3.0
compute
[ "$(verdict_colour_count D66C00)" -gt 0 ] || fail "potassium 3.0 is not graded level 2"
copy_by_keys
expect_clipboard "$no_dose" "$low" "60 kg / 3.0: the low-potassium verdict, no dose"
expect_clipboard_lacks "葡萄糖" "60 kg / 3.0: no glucose"

# 7. Full-width digits and the ideographic full stop read as the number.
f5
keys Tab
typed 150
keys Tab
typed "６.８"
compute
copy_by_keys
expect_clipboard "胰岛素：10.0 U" "$severe" "６.８ reads as 6.8"
f5
keys Tab Tab
typed "6。8"
compute
copy_by_keys
expect_clipboard "胰岛素：10.0 U" "$severe" "6。8 reads as 6.8"

# 8. After 清空重填 the weight has the focus, its default selected; the
# potassium is a default nobody typed again, and Y uses it.
click 538 688
pointer_to_window
typed 12
compute
answer "$question" y
sleep "$settle"
copy_button
expect_clipboard "胰岛素：1.2 U" "$severe" "清空重填, then 12 Enter and Y computes for 12 kg"
[ "$(focus_dots 328 132 2C3842)" -eq 0 ] || fail "a clicked button shows a focus rectangle"
echo "ok: no focus rectangle after a click"

# 9. Tab from the last field reaches 计算, which shows it; on past 关于 and
# the report to the weight, selected.
weight_field
pointer_to_window
keys Tab Tab
[ "$(focus_dots 20 152 FFFFFF)" -gt 20 ] || fail "计算 does not show the keyboard's focus"
echo "ok: Tab from the last field reaches 计算, which shows the focus"
keys Tab Tab Tab Tab Tab Tab
typed 30
compute
copy_by_keys
expect_clipboard "胰岛素：3.0 U" "$severe" "Tab from 关于 and the report wraps to the weight, selected"

# 10. Tab to 保存记录, then Enter saves a record.
before=$(record_lines)
f5
keys Tab Tab Tab Tab
keys Return
answer "已保存" Return
after=$(record_lines)
[ "$after" -eq $((before + 1)) ] || fail "Enter on 保存记录 saved $((after - before)) records"
echo "ok: Tab to 保存记录, Enter saves a record"

# 11. A negative weight is refused; the field keeps the focus, its text
# selected, so what is typed next replaces it.
weight_field
"$field_clear"
typed -5
compute
answer "输入有误" Return
[ "$(verdict_colour_count BE1E2D)" -eq 0 ] || fail "a result is on show after -5 was refused"
typed 5
compute
copy_by_keys
expect_clipboard "10% 葡萄糖：25.0 ml" "$severe" "-5 refused, then 5 typed over it computes 5 kg"
echo "ok"
