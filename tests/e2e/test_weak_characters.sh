#!/usr/bin/env bash
# The real program under Xvfb, no input method: an attempt at a short English text with two
# corrected misses of "c" appends its counts to LogBox/WeakChars.log; 結果表示 → 苦手文字(&W)
# ranks "c" first on the English page, whose practice text names "c" first and becomes current.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
name=240101000000.txt
mkdir -p "$home/FileBox"
printf 'Source\r\n240101\r\nCafe text\r\n  12 (   0,  12)(   0,   0,   0)(  11,   0,   1)\r\n%s\r\nface cafe\r\nghi\r\n' \
    "99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99" \
    >"$home/FileBox/$name"
settings="$(settings_tool "$exe")" || fail "no settings tool"
"$settings" "$home/RudUZ.rvl" 3=1 200.address="$name" || fail "could not write the settings file"
utf8() { iconv -f CP932 -t UTF-8 | tr -d '\r'; }

start_main
xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers space
sleep 0.3
for part in fax BackSpace "ce x" BackSpace cafe; do # an "x" typed for each c, then corrected
    if [ "$part" = BackSpace ]; then xdotool key --clearmodifiers BackSpace; else xdotool type --delay 60 "$part"; fi
done
xdotool type --delay 60 "ghi"
close_end_dialog
sleep 0.4
weak="$home/LogBox/WeakChars.log"
head -n 1 "$weak" | grep -q "^#Rinvale QX weak characters 1	date	language	text	character	met	missed$" || fail "no header"
grep -q "	E	240101000000	c	2	2$" "$weak" || fail "c should be met twice and missed twice: $(cat "$weak")"
[ "$(grep -c '	[1-9][0-9]*$' "$weak")" -eq 1 ] || fail "only c was missed: $(cat "$weak")"

menu_key "$win" k w
wait_for_window "^苦手文字$" 10 >/dev/null || fail "苦手文字 did not open"
xdotool key --clearmodifiers alt+e
sleep 0.5
[ -n "${SCREENSHOT_DIR:-}" ] && import -window root "$SCREENSHOT_DIR/weak-characters.png"
xdotool key --clearmodifiers alt+m
sleep 1
xdotool key --clearmodifiers Return # the message that the text was made
wait_until 5 '! xdotool search --onlyvisible --name "^苦手文字$" >/dev/null 2>&1' || fail "苦手文字 stayed open"
drill=$(ls -t "$home/FileBox" | head -n 1)
[ "$(sed -n 3p "$home/FileBox/$drill" | utf8)" = "苦手文字練習（c）" ] || fail "the practice text is not titled for c"
[ "$(head -n 1 "$home/FileBox/$drill" | utf8)" = "苦手文字練習" ] || fail "its source is not 苦手文字練習"
rinvale_quit "$win"
[ "$("$settings" --get "$home/RudUZ.rvl" 200.address)" = "$drill" ] || fail "the practice text is not current"
echo "c missed twice: WeakChars.log, ranked first, practice text $drill made and current"
echo "1 passed, 0 failed"
