#!/usr/bin/env bash
# The real program under Xvfb: after a whole-text attempt of a short English text of the user's
# own, 練習結果全ログ(&L) and テキスト別最高成績一覧(&F) open from the results menu with their
# captions, and Esc closes them.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
mkdir -p "$home/FileBox"
printf 'Source\r\n240101\r\nShort text\r\n   7 (   0,   7)(   0,   0,   0)(   6,   0,   1)\r\n%s\r\nabc def\r\n' \
    "99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99" \
    >"$home/FileBox/240101000000.txt"
# The text above is current, typing begins at once, and the best records show English texts.
settings="$(settings_tool "$exe")" || fail "no settings tool"
"$settings" "$home/RudUZ.rvl" 3=1 63=1 200.address=240101000000.txt || fail "could not write the settings file"
start_main
xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers space
sleep 0.3
xdotool type --delay 60 "abc def"
close_end_dialog
wait_until 5 '[ -s "$home/LogBox/BestRec.log" ]' || fail "the attempt left no best record"

# open_viewer KEY CAPTION SHOT: opens a window of 結果表示(&K), checks it, photographs it, closes it with Esc.
open_viewer() {
    caption="$2"
    menu_key "$win" k "$1"
    viewer=$(wait_for_window "^$2\$" 10) || fail "$2 did not open"
    sleep 0.5
    [ -n "${SCREENSHOT_DIR:-}" ] && screenshot "$SCREENSHOT_DIR/$3.png"
    xdotool windowfocus --sync "$viewer"
    xdotool key --clearmodifiers Escape
    wait_until 5 '[ -z "$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null || true)" ]' || fail "Esc did not close $2"
}
open_viewer l 練習結果全ログ practice-log
open_viewer f ファイル別最高成績 best-records
echo "both windows opened from the menu and closed with Esc"
echo "1 passed, 0 failed"
