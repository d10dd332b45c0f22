#!/usr/bin/env bash
# The real program under Xvfb: a paragraph of the English UN Charter sample typed to the end,
# then 詳細(F1) in the end dialog opens the attempt details on that paragraph, Esc closes them;
# F3 opens them again from the result, and 通し前回の成績詳細(&P) from the menu.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
start_main
# opened TITLE HOW: waits for the details window, keeps a picture, closes it with Esc.
opened() {
    local details
    details=$(wait_for_window "^$1\$" 10) || fail "the details window \"$1\" did not open by $2"
    sleep 0.8
    [ -z "${SCREENSHOT_DIR:-}" ] || import -window root "$SCREENSHOT_DIR/details-$2.png"
    xdotool windowfocus --sync "$details"
    xdotool key --clearmodifiers Escape
    wait_until 3 '[ -z "$(xdotool search --onlyvisible --name "^'"$1"'\$" 2>/dev/null || true)" ]' ||
        fail "Esc did not close \"$1\""
    echo "$1 opened by $2 and closed by Esc"
}

menu_key "$win" s b
sleep 0.3
menu_key "$win" t k
choose=$(wait_for_window "段落指定" 10) || fail "the paragraph selection did not open"
xdotool windowfocus --sync "$choose"
xdotool key --clearmodifiers Return
sleep 0.3
xdotool windowfocus --sync "$win" key --clearmodifiers space
sleep 3.4
xdotool type --delay 25 "WE THE PEOPLES OF THE UNITED NATIONS DETERMINED"
end=$(wait_for_window "^Rinvale QX$" 10) || fail "no end-of-attempt dialog after typing the paragraph"
[ -f "$home/LogBox/Temp.txt" ] || fail "the paragraph attempt left no Temp.txt"
xdotool windowfocus --sync "$end"
xdotool key --clearmodifiers F1
opened "段落別結果詳細" F1

xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers F3
opened "段落別結果詳細" F3

menu_key "$win" t t # 全文通し練習: the menus of the whole-text details open
sleep 0.3
menu_key "$win" k p
opened "前回の成績詳細" menu
echo "1 passed, 0 failed"
