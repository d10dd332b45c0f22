#!/usr/bin/env bash
# The real program under Xvfb: paragraph practice of the English UN Charter sample, typed
# with real key events, ends with the "おつかれさま" dialog.
set -euo pipefail
exe="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/xvfb-session.sh"
trap xvfb_stop EXIT
home="$(mktemp -d)"

xvfb_start
rinvale_start "$exe" "$home"
win=$(wait_for_main_window) || fail "main window did not appear"
xdotool windowfocus --sync "$win"

# 腕試し → "2 UN Charter Preamble(&B)", then トライアル → 段落別練習(&K).
xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key --clearmodifiers b
sleep 0.3
xdotool key --clearmodifiers alt+t
sleep 0.3
xdotool key --clearmodifiers k
choose=$(wait_for_window "段落指定" 10) || fail "the paragraph selection did not open"
xdotool windowfocus --sync "$choose"
xdotool key --clearmodifiers Return
sleep 0.3
xdotool windowfocus --sync "$win"

# Space starts the three-second countdown; typing begins after it.
xdotool key --clearmodifiers space
sleep 3.4
xdotool type --delay 25 "WE THE PEOPLES OF THE UNITED NATIONS DETERMINED"
done_box=$(wait_for_window "^Rinvale QX$" 10) || fail "no end-of-attempt dialog after typing the paragraph"
[ -n "${SCREENSHOT_DIR:-}" ] && import -window root "$SCREENSHOT_DIR/end-dialog.png"
xdotool windowfocus --sync "$done_box"
xdotool key --clearmodifiers Escape
sleep 0.3
[ -z "$(xdotool search --onlyvisible --name '^Rinvale QX$' 2>/dev/null || true)" ] || fail "Esc did not close the dialog"
echo "paragraph practice typed to the end: おつかれさま shown"
echo "1 passed, 0 failed"
