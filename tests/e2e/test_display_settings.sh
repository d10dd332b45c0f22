#!/usr/bin/env bash
# The real program under Xvfb: a palette colour for the practice text and a grade for the
# Japanese target, picked in their windows, are in the settings file and on screen after a restart.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
# The main window's target-line area (its number of colours) and the red of its text panel.
target_line() { convert "$1" -crop 280x30+195+218 -format %k info:; }
red_pixels() { convert "$1" -crop 630x95+8+52 -format %c histogram:info:- | awk '/#FF0000/ {n += $1} END {print n + 0}'; }

start_main
menu_key "$win" o c
dialog=$(wait_for_window "文字色・背景色設定") || fail "no colour window"
xdotool mousemove --window "$dialog" 270 159 click 1 # swatch 17, red, for the selected practice text
xdotool key --clearmodifiers Return                  # 決定
menu_key "$win" o g
dialog=$(wait_for_window "スピードゲージ設定") || fail "no speed gauge window"
# The Japanese grade list has the focus at " 10E"; fifteen up in the opened list is " 1級", 104 CPM.
xdotool key --clearmodifiers F4 $(printf 'Up %.0s' $(seq 15)) Return
sleep 0.3
xdotool key --clearmodifiers Return # OK
rinvale_quit "$win"

tool=$(settings_tool "$exe")
stored=$(for n in 14 20 21 22 67; do "$tool" --get "$home/RudUZ.rvl" $n; done | xargs)
[ "$stored" = "1 255 0 0 104" ] || fail "settings entries 14 20 21 22 67 hold $stored"
start_main
sleep 0.5
screenshot "$home/after.png"
convert "$home/after.png" -crop "$(xwininfo -id "$win" | awk '/Width:/ {w=$2} /Height:/ {h=$2} /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print w "x" h "+" x "+" y}')" +repage "$home/main.png"
[ "$(red_pixels "$home/main.png")" -gt 20 ] || fail "the practice text is not red after the restart"
[ "$(target_line "$home/main.png")" -gt 2 ] || fail "no target line after the restart"
echo "1 passed, 0 failed"
