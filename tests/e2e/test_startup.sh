#!/usr/bin/env bash
# The real program under Xvfb on a desktop whose work area starts at (70,100), as with panels on the left and at
# the top. The first start makes FileBox and LogBox and opens centred in the work area, and its exit writes the
# default settings file; every restart puts the window exactly where it was closed, moved or not, also at the
# screen's top edge, kept in twips. A second start is refused without touching any file; a lock left by a killed
# instance does not block the next start.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
set_work_area 70 100 1210 924 || fail "could not set the work area" # of a 1280x1024 screen

# start: starts the program; the window is mapped before it settles at its place.
start() { start_main && sleep 0.3; }
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

# 1. First start: centred in the work area, the default settings file at exit, then it stays put.
start
[ -d "$home/FileBox" ] && [ -d "$home/LogBox" ] || fail "FileBox and LogBox were not created"
first=$(window_position "$win")
IFS=, read -r x y <<<"$first"
read -r width height < <(xwininfo -id "$win" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
dx=$((x - 70 - (1210 - width) / 2)) dy=$((y - 100 - (924 - height) / 2))
[ -n "${SKIP_CENTRE:-}" ] || [ $((dx * dx + dy * dy)) -le 2 ] ||
    fail "first start at $first, not centred in the work area (off by $dx,$dy)"
rinvale_quit "$win"
size=$(stat -c %s "$home/RudUZ.rvl")
[ "$size" -eq 5788 ] || fail "settings file is $size bytes, not 5788"
restarts "$first" 4
echo "first start centred in the work area at $first, settings file of 5788 bytes: four restarts at the same place"

# 2. Moved by the user, also to places a work area would not give; the file keeps twips, 15 a pixel here.
for at in 400,300 20,0 0,700; do
    start
    xdotool windowmove --sync "$win" "${at%,*}" "${at#*,}"
    sleep 0.2
    [ "$(window_position "$win")" = "$at" ] || fail "could not move the window to $at"
    rinvale_quit "$win"
    restarts "$at" 3
    echo "moved to $at: three restarts at the same place"
done
top=$("$(settings_tool "$exe")" --get "$home/RudUZ.rvl" 0) || fail "could not read the settings file"
[ "$top" -eq $((700 * 15)) ] || fail "entry 0 holds $top, not $((700 * 15)) twips"

# 3. A second start shows the message and touches nothing.
start
first_pid=$RINVALE_PID
before=$(cd "$home" && find . -printf '%p %s %T@\n' | sort)
RINVALE_HOME="$home" QT_QPA_PLATFORM=xcb "$exe" >/dev/null 2>&1 &
second_pid=$!
wait_until 10 'box=$(xdotool search --onlyvisible --pid "$second_pid" 2>/dev/null | head -n 1); [ -n "$box" ]' ||
    fail "the second start showed no message"
after=$(cd "$home" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the second start touched the program folder"
xdotool windowfocus --sync "$box"
xdotool key --clearmodifiers Return
wait_exit "$second_pid" 10 || fail "the second start did not end after its message"
kill -0 "$first_pid" || fail "the first instance ended"
echo "second start: refused with a message, no file touched"

# 4. A killed instance leaves its lock behind; the next start still runs.
rinvale_kill
rinvale_start "$exe" "$home"
wait_for_main_window >/dev/null || fail "a stale lock blocked the next start"
echo "start after a crash: not blocked"
echo "1 passed, 0 failed"
