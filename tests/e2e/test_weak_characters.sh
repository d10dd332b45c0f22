#!/usr/bin/env bash
# The real program under Xvfb, no input method: an attempt at a short English text with two
# deliberate misses of "c" (each corrected) appends its counts to LogBox/WeakChars.log, which the
# month log leaves alone; 結果表示 → 苦手文字(&W) ranks "c" first on the English page with its
# keyboard, and the practice text it makes from there names "c" first and becomes the current text.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
name=240101000000.txt
mkdir -p "$home/FileBox"
printf 'Source\r\n240101\r\nCafe text\r\n  12 (   0,  12)(   0,   0,   0)(  11,   0,   1)\r\n%s\r\nface cafe\r\nghi\r\n' \
    "99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99" \
    >"$home/FileBox/$name"
settings="$(settings_tool "$exe")" || fail "no settings tool"
"$settings" "$home/RudUZ.rvl" 3=1 200.address="$name" || fail "could not write the settings file"

start_main
xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers space
sleep 0.3
# "fa", a wrong "x" for c, corrected; "e ", again "x" for the second c, corrected; the rest.
xdotool type --delay 60 "fax"
xdotool key --delay 60 --clearmodifiers BackSpace
xdotool type --delay 60 "ce x"
xdotool key --delay 60 --clearmodifiers BackSpace
xdotool type --delay 60 "cafe"
sleep 0.3
xdotool type --delay 60 "ghi"
close_end_dialog
sleep 0.4

weak="$home/LogBox/WeakChars.log"
[ -s "$weak" ] || fail "no WeakChars.log after the attempt"
head -n 1 "$weak" | grep -q "^#Rinvale QX weak characters 1	date	language	text	character	met	missed$" ||
    fail "WeakChars.log lacks its header"
grep -q "	E	240101000000	c	2	2$" "$weak" || fail "c should be met twice and missed twice: $(cat "$weak")"
grep -q "	E	240101000000	a	2	0$" "$weak" || fail "a should be met twice, never missed"
[ "$(grep -c '	[1-9][0-9]*$' "$weak")" -eq 1 ] || fail "only c was missed: $(cat "$weak")"
echo "attempt: WeakChars.log has its header and c met 2, missed 2, nothing else missed"

menu_key "$win" k w
dialog=$(wait_for_window "^苦手文字$" 10) || fail "苦手文字 did not open"
xdotool windowfocus --sync "$dialog"
xdotool key --clearmodifiers alt+e
sleep 0.5
[ -n "${SCREENSHOT_DIR:-}" ] && import -window root "$SCREENSHOT_DIR/weak-characters.png"
# The practice text made from the English page names the weakest characters in rank order.
before=$(ls "$home/FileBox" | wc -l)
xdotool key --clearmodifiers alt+m
info=$(wait_for_window "^苦手文字$" 10) || fail "no message after making the practice text"
sleep 0.5
xdotool key --clearmodifiers Return
wait_until 10 '[ "$(ls "$home/FileBox" | wc -l)" -gt "$before" ]' || fail "no practice text was saved"
drill=$(ls -t "$home/FileBox" | head -n 1)
title=$(sed -n 3p "$home/FileBox/$drill" | iconv -f CP932 -t UTF-8 | tr -d '\r')
[ "$title" = "苦手文字練習（c）" ] || fail "the practice text should be titled for c first, not $title"
[ "$(head -n 1 "$home/FileBox/$drill" | iconv -f CP932 -t UTF-8 | tr -d '\r')" = "苦手文字練習" ] ||
    fail "the practice text's source is not 苦手文字練習"
sed -n '6,$p' "$home/FileBox/$drill" | grep -q c || fail "the practice text's paragraphs hold no c"
wait_until 5 '! xdotool search --onlyvisible --name "^苦手文字$" >/dev/null 2>&1' || fail "苦手文字 stayed open"
[ -n "${SCREENSHOT_DIR:-}" ] && import -window root "$SCREENSHOT_DIR/weak-drill-current.png"
rinvale_quit "$win"
[ "$("$settings" --get "$home/RudUZ.rvl" 200.address)" = "$drill" ] || fail "the practice text is not the current text"
echo "苦手文字: c ranked first on the English page; the practice text $drill names it and is current"
echo "1 passed, 0 failed"
