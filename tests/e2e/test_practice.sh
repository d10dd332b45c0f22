#!/usr/bin/env bash
# The real program under Xvfb: paragraph practice of the English UN Charter sample, typed
# with real key events, ends with the "おつかれさま" dialog.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
start_main

# 腕試し → "2 UN Charter Preamble(&B)", then トライアル → 段落別練習(&K).
menu_key "$win" s b
sleep 0.3
menu_key "$win" t k
choose=$(wait_for_window "段落指定" 10) || fail "the paragraph selection did not open"
xdotool windowfocus --sync "$choose"
xdotool key --clearmodifiers Return
sleep 0.3
xdotool windowfocus --sync "$win"

# Space starts the three-second countdown; typing begins after it.
xdotool key --clearmodifiers space
sleep 3.4
xdotool type --delay 25 "WE THE PEOPLES OF THE UNITED NATIONS DETERMINED"
wait_for_window "^Rinvale QX$" 10 >/dev/null || fail "no end-of-attempt dialog after typing the paragraph"
[ -n "${SCREENSHOT_DIR:-}" ] && import -window root "$SCREENSHOT_DIR/end-dialog.png"
close_end_dialog
wait_until 3 '[ -z "$(xdotool search --onlyvisible --name "^Rinvale QX$" 2>/dev/null || true)" ]' || fail "Esc did not close the dialog"
echo "paragraph practice typed to the end: おつかれさま shown"
echo "1 passed, 0 failed"
