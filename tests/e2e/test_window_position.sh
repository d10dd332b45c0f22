#!/usr/bin/env bash
# The real program under Xvfb with a desktop whose work area starts at (70,100), as with a
# panel on the left and one at the top: the main window opens centred in the work area, and
# every restart puts it exactly where it was closed, moved or not, also at the screen's top edge.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
set_work_area 70 100 1210 924 || fail "could not set the work area" # of a 1280x1024 screen

# start: starts the program; the window is mapped before it settles at its place.
start() {
    start_main
    sleep 0.3
}

# restarts EXPECTED COUNT: restarts COUNT times, each time expecting the window at EXPECTED.
restarts() {
    local i at
    for i in $(seq 1 "$2"); do
        start
        at=$(window_position "$win")
        [ "$at" = "$1" ] || fail "start $i after closing at $1 opened the window at $at"
        rinvale_quit "$win"
    done
}

# moved_to X Y: starts, moves the window to (X,Y), closes, and checks three restarts.
moved_to() {
    start
    xdotool windowmove --sync "$win" "$1" "$2"
    sleep 0.2
    [ "$(window_position "$win")" = "$1,$2" ] || fail "could not move the window to $1,$2"
    rinvale_quit "$win"
    restarts "$1,$2" 3
    echo "moved to $1,$2: three restarts at the same place"
}

# 1. First start: centred in the work area, then it stays put.
start
first=$(window_position "$win")
IFS=, read -r x y <<<"$first"
read -r width height < <(xwininfo -id "$win" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
dx=$((x - 70 - (1210 - width) / 2)) dy=$((y - 100 - (924 - height) / 2))
if [ -z "${SKIP_CENTRE:-}" ] && [ $((dx * dx + dy * dy)) -gt 2 ]; then
    fail "first start at $first, not centred in the work area (off by $dx,$dy)"
fi
rinvale_quit "$win"
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
