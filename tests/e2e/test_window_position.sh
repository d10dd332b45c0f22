#!/usr/bin/env bash
# The real program under Xvfb with a desktop whose work area starts at (70,100), as with a
# panel on the left and one at the top: the main window opens centred in the work area, and
# every restart puts it exactly where it was closed, moved or not, also at the screen's top edge.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
# Xvfb clears the root window's properties whenever its last client leaves: one client stays
# connected for the whole test, watching the work area (it ends with the server).
xprop -root -spy _NET_WORKAREA >/dev/null 2>&1 &
# Work area (x, y, width, height) of a 1280x1024 screen.
work_area_set() { [ "$(xprop -root _NET_WORKAREA)" = "_NET_WORKAREA(CARDINAL) = 70, 100, 1210, 924" ]; }
for _ in $(seq 1 50); do
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "70,100,1210,924"
    sleep 0.1
    work_area_set && break
done
work_area_set || fail "could not set the work area"

# position WINDOW: "x,y" of the window on the screen.
position() { xdotool getwindowgeometry "$1" | awk '/Position:/ {print $2}'; }

# start: starts the program and sets WIN to its main window.
start() {
    rinvale_start "$exe" "$home"
    WIN=$(wait_for_main_window) || fail "main window did not appear"
    # The window is mapped before it settles at its place; give it a moment.
    sleep 0.3
}

# restarts EXPECTED COUNT: restarts COUNT times, each time expecting the window at EXPECTED.
restarts() {
    local i at
    for i in $(seq 1 "$2"); do
        start
        at=$(position "$WIN")
        [ "$at" = "$1" ] || fail "start $i after closing at $1 opened the window at $at"
        rinvale_quit "$WIN"
    done
}

# moved_to X Y: starts, moves the window to (X,Y), closes, and checks three restarts.
moved_to() {
    start
    xdotool windowmove --sync "$WIN" "$1" "$2"
    sleep 0.2
    [ "$(position "$WIN")" = "$1,$2" ] || fail "could not move the window to $1,$2"
    rinvale_quit "$WIN"
    restarts "$1,$2" 3
    echo "moved to $1,$2: three restarts at the same place"
}

# 1. First start: centred in the work area, then it stays put.
start
first=$(position "$WIN")
IFS=, read -r x y <<<"$first"
[ "$x" -ge 70 ] && [ "$y" -ge 100 ] || fail "first start at $first lies outside the work area"
read -r width height < <(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
expected_x=$((70 + (1210 - width) / 2))
expected_y=$((100 + (924 - height) / 2))
near() { [ $(($1 - $2)) -ge -1 ] && [ $(($1 - $2)) -le 1 ]; }
if [ -z "${SKIP_CENTRE:-}" ] && ! { near "$x" "$expected_x" && near "$y" "$expected_y"; }; then
    fail "first start at $first, not centred in the work area ($expected_x,$expected_y)"
fi
rinvale_quit "$WIN"
restarts "$first" 4
echo "first start centred in the work area at $first: four restarts at the same place"

# 2. Moved by the user, also to places a work area would not give.
moved_to 400 300
moved_to 20 0
moved_to 0 700

# 3. The settings file keeps twips: 15 per pixel at this resolution.
top=$("$(settings_tool "$exe")" --get "$home/RudUZ.rvl" 0) || fail "could not read the settings file"
[ "$top" -eq $((700 * 15)) ] || fail "entry 0 holds $top, not $((700 * 15)) twips"
echo "1 passed, 0 failed"
