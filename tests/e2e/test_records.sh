#!/usr/bin/env bash
# The real program under Xvfb, no input method: a whole-text attempt of a short English text
# of the user's own leaves every record file; a second, slower attempt changes only the month
# log, the "d" file and the best-times line; 記録の削除(&R) removes the best records and keeps
# the month log. A paragraph attempt, chosen through トライアル → 段落別練習(&K), adds a line to the month log
# and writes Temp.txt.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
name=240101000000.txt
mkdir -p "$home/FileBox"
printf 'Source\r\n240101\r\nShort text\r\n  10 (   0,  10)(   0,   0,   0)(   9,   0,   1)\r\n%s\r\nabc def\r\nghi\r\n' \
    "99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99" \
    >"$home/FileBox/$name"
# Settings: the text above is current and typing begins at once (countdown code 1).
settings="$(settings_tool "$exe")" || fail "no settings tool"
"$settings" "$home/RudUZ.rvl" 3=1 200.address="$name" || fail "could not write the settings file"

log() { ls "$home"/LogBox/*Practice.log 2>/dev/null | head -n 1; }
lines() { [ -f "$1" ] && wc -l <"$1" || echo 0; }
sum() { md5sum "$1" | cut -d' ' -f1; }
attempt() { # attempt DELAY_MS
    xdotool windowfocus --sync "$win"
    xdotool key --clearmodifiers space
    sleep 0.3
    xdotool type --delay "$1" "abc def"
    sleep 0.3
    xdotool type --delay "$1" "ghi"
    close_end_dialog
    sleep 0.4
}

start_main

attempt 40
practice=$(log)
[ -n "$practice" ] || fail "no Practice.log after the first attempt"
[ "$(lines "$practice")" -eq 1 ] || fail "Practice.log should have one line"
[ "$(lines "$home/LogBox/BestRec.log")" -eq 1 ] || fail "BestRec.log should have one line"
head -c 13 "$home/LogBox/BestRec.log" | grep -q "^e240101000000$" || fail "BestRec.log line has the wrong key"
[ "$(lines "$home/LogBox/d$name")" -eq 6 ] || fail "the d file should have 2P + 2 = 6 lines"
[ -f "$home/LogBox/b$name" ] || fail "no b copy of the new best"
best1=$(sed -n 5p "$home/FileBox/$name" | tr -d '\r')
case "$best1" in 99999.99*) fail "the best-times line was not rewritten" ;; esac
[ ${#best1} -eq 90 ] || fail "the written best-times line should be 90 characters, not ${#best1}"
echo "first attempt: Practice.log, BestRec.log, best-times line, d file (6 lines) and b copy written"

bestrec=$(sum "$home/LogBox/BestRec.log"); bcopy=$(sum "$home/LogBox/b$name"); dfile=$(sum "$home/LogBox/d$name")
attempt 250
[ "$(lines "$practice")" -eq 2 ] || fail "Practice.log should have two lines"
[ "$(sum "$home/LogBox/BestRec.log")" = "$bestrec" ] || fail "a slower attempt changed BestRec.log"
[ "$(sum "$home/LogBox/b$name")" = "$bcopy" ] || fail "a slower attempt changed the b copy"
[ "$(sum "$home/LogBox/d$name")" != "$dfile" ] || fail "the d file was not rewritten"
best2=$(sed -n 5p "$home/FileBox/$name" | tr -d '\r')
[ "${best2:0:9}" = "${best1:0:9}" ] && [ "$best2" != "$best1" ] || fail "the slower time should enter the table behind the best"
echo "second, slower attempt: only Practice.log, the d file and the best-times line changed"
[ -n "${SCREENSHOT_DIR:-}" ] && import -window root "$SCREENSHOT_DIR/result.png"

menu_key "$win" f r
box=$(wait_for_window "記録の削除" 10) || fail "記録の削除 did not open"
xdotool windowfocus --sync "$box"
xdotool key --clearmodifiers shift+Tab
xdotool key --clearmodifiers Return
sleep 0.5
[ "$(sed -n 5p "$home/FileBox/$name" | tr -d '\r')" = "99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99" ] ||
    fail "the best-times line was not reset"
[ ! -s "$home/LogBox/BestRec.log" ] || fail "BestRec.log still holds the text's line"
[ ! -e "$home/LogBox/d$name" ] && [ ! -e "$home/LogBox/b$name" ] || fail "the detail files were not deleted"
[ "$(lines "$practice")" -eq 2 ] || fail "記録の削除 touched the month log"
echo "記録の削除: best records gone, month log kept"

menu_key "$win" t k
choose=$(wait_for_window "段落指定" 10) || fail "the paragraph selection did not open"
xdotool windowfocus --sync "$choose"
xdotool key --clearmodifiers Return
sleep 0.3
xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers space
sleep 0.3
xdotool type --delay 25 "abc def"
close_end_dialog
sleep 0.4
[ "$(lines "$practice")" -eq 3 ] && [ -s "$home/LogBox/Temp.txt" ] || fail "the paragraph attempt left no records"
echo "paragraph practice typed to the end: おつかれさま shown, month log and Temp.txt written"
[ -n "${KEEP_HOME:-}" ] && cp -r "$home" "$KEEP_HOME"
echo "1 passed, 0 failed"
