#!/usr/bin/env bash
# A clinician who works from the keyboard, with the program itself on the
# test display: Tab between the fields and the buttons, Space on a button,
# typing after reset, low potassium, a heavy patient, full-width digits.
# Each result is read back from the X clipboard.
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
acceptable="—— 血钾在可接受范围，继续监测"
severe="—— 重度高钾，立即处理并持续心电监护"
low="—— 血钾偏低，不宜使用胰岛素，请复核血钾"
session_begin
skip_without_display
skip_without_tools xdotool xclip import convert

case $mode in
    linux)
        start_program_with_own_records "$1"
        window=$(wait_for_window 30)
        find_client_area_of_window "$window"
        settle=0.8
        ;;
    windows)
        # As in the slips test: Alt+F4 to close, the keys go to the window
        # under the pointer, boxes take a while to come and go.
        close_key=alt+F4
        keys_follow_pointer=true
        box_timeout=15
        box_unmap_polls=40
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
    xdotool type --delay 100 "$1"
}
compute() {
    keys Return
    sleep "$settle"
}
# From the main window, as after a computation: Shift+Tab reaches 关于,
# 清空重填, then 复制结果, which Space presses.
copy_by_keys() {
    keys shift+Tab shift+Tab shift+Tab space
}

# Focus dots in the caption colour along the row 4 pixels inside a button.
focus_dots() {  # button x, button width, caption RRGGBB -> how many
    import -window root "$work/focus.png"
    count_colour "$work/focus.png" $(($1 + 4)) 672 $(($2 - 8)) 1 "$3"
}

# 1. Tab moves to the potassium instead of joining the numbers.
typed 8
keys Tab
typed 5.2
compute
copy_by_keys
expect_clipboard "胰岛素：0.8 U" "$acceptable" "8 Tab 5.2 Enter at start-up computes for 8 kg"
[ "$(focus_dots 328 132 2C3842)" -gt 20 ] || fail "复制结果 does not show the keyboard's focus"
echo "ok: 复制结果, reached by Shift+Tab, shows a focus rectangle"

# 2. After a computation Tab starts at the weight, its text selected.
compute # Enter on the focused button computes, and leaves the focus on the window
keys Tab
typed 9
keys Tab
typed 5.0
compute
copy_by_keys
expect_clipboard "胰岛素：0.9 U" "$acceptable" "Tab 9 Tab 5.0 Enter computes for 9 kg"

# 3. Shift+Tab comes back to the weight, selected.
compute
keys Tab Tab shift+Tab
typed 7
compute
copy_by_keys
expect_clipboard "胰岛素：0.7 U" "$acceptable" "Tab Tab Shift+Tab 7 Enter computes for 7 kg"

# 4. After 清空重填 the weight has the focus, its default selected.
click 538 688
pointer_to_window
typed 12
compute
copy_button
expect_clipboard "胰岛素：1.2 U" "$severe" "清空重填, then 12 Enter computes for 12 kg"
[ "$(focus_dots 328 132 2C3842)" -eq 0 ] || fail "a clicked button shows a focus rectangle"
echo "ok: no focus rectangle after a click"

# 5. Tab from the last field reaches 计算, which shows it; on from 关于 to
# the weight, selected.
weight_field
pointer_to_window
keys Tab Tab
[ "$(focus_dots 20 152 FFFFFF)" -gt 20 ] || fail "计算 does not show the keyboard's focus"
echo "ok: Tab from the last field reaches 计算, which shows the focus"
keys Tab Tab Tab Tab Tab
typed 30
compute
copy_by_keys
expect_clipboard "胰岛素：3.0 U" "$severe" "Tab from 关于 wraps to the weight, selected"

# 6. Low potassium, a heavy patient.
compute
keys Tab Tab
typed 2.0
compute
[ "$(verdict_colour_count D66C00)" -gt 0 ] || fail "potassium 2.0 is not graded level 2"
copy_by_keys
expect_clipboard "胰岛素：3.0 U" "$low" "potassium 2.0 gets the low-potassium verdict"
compute
keys Tab
typed 150
compute
copy_by_keys
expect_clipboard "胰岛素：10.0 U" "$low" "150 kg gets insulin 10.0 U"

# 7. Full-width digits and the ideographic full stop read as the number.
compute
keys Tab Tab
typed "６.８"
compute
copy_by_keys
expect_clipboard "胰岛素：10.0 U" "$severe" "６.８ reads as 6.8"
compute
keys Tab Tab
typed "6。8"
compute
copy_by_keys
expect_clipboard "胰岛素：10.0 U" "$severe" "6。8 reads as 6.8"
echo "ok"
