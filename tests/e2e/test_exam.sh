#!/usr/bin/env bash
# The real program under Xvfb: a one-minute exam on the English sample "2 UN Charter Preamble",
# chosen through トライアル → 試験モード(&X) → 1分間(&1). Part of the first line is typed, a wrong
# character left at its end, and the minute runs out (this test waits for it); the exam's result
# opens by itself and LogBox/ExamLog.tsv holds its header and one line with the figures.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
settings="$(settings_tool "$exe")" || fail "no settings tool"
"$settings" "$home/RudUZ.rvl" 3=1 || fail "could not write the settings file"

start_main
menu_key "$win" s b
sleep 0.3
menu_key "$win" t x
sleep 0.3
keys 1 space
xdotool type --delay 60 "WE THE PEOPLES Q"
started=$SECONDS
box=$(wait_for_window "^Rinvale QX$" 75) || fail "the exam did not end on its own"
[ $((SECONDS - started)) -ge 50 ] || fail "the exam ended before its minute"
[ -n "${SCREENSHOT_DIR:-}" ] && sleep 0.3 && import -window root "$SCREENSHOT_DIR/exam-result.png"
xdotool windowfocus --sync "$box" key --clearmodifiers Escape
log="$home/LogBox/ExamLog.tsv"
[ "$(head -c 30 "$log")" = "# RinvaleQX exam log 1: UTF-8," ] && [ "$(wc -l <"$log")" -eq 3 ] ||
    fail "ExamLog.tsv should have its format line, column line and one exam"
IFS=$'\t' read -r -a f < <(sed -n 3p "$log")
[ "${f[1]}" = 1 ] && [ "${f[2]}" = 60.00 ] && [ "${f[3]}" = 1 ] || fail "not a timed-out one-minute exam: ${f[*]}"
[ "${f[4]}" = 16 ] && [ "${f[5]}" = 1 ] && [ "${f[7]}" = 15 ] && [ "${f[8]}" = 15.0 ] ||
    fail "typed 16 with one error should give net 15 per minute: ${f[*]}"
[ "${f[16]}" = E ] || fail "the English sample's exam should carry the language mark E: ${f[*]}"
rinvale_quit "$win"
grep -q "^minutes=1" "$home/RinvaleQX.ini" || fail "the exam length was not kept in RinvaleQX.ini"
echo "1 passed, 0 failed"
