#!/usr/bin/env bash
# The real program under Xvfb: first start and exit through the menu write the default
# settings file; a second start is refused without touching any file; a lock left by a
# killed instance does not block the next start.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
work="$home"

# 1. First start, then "終了(&X)" from the keyboard.
home="$work/first"
mkdir -p "$home"
start_main
[ -d "$home/FileBox" ] && [ -d "$home/LogBox" ] || fail "FileBox and LogBox were not created"
rinvale_quit "$win"
size=$(stat -c %s "$home/RudUZ.rvl")
[ "$size" -eq 5788 ] || fail "settings file is $size bytes, not 5788"
echo "first start and exit: settings file of 5788 bytes"

# 2. A second start shows the message and touches nothing.
home="$work/second"
mkdir -p "$home"
rinvale_start "$exe" "$home"
first_pid=$RINVALE_PID
wait_for_main_window >/dev/null || fail "main window did not appear"
before=$(cd "$home" && find . -path ./\*.std\* -prune -o -printf '%p %s %T@\n' | sort)
RINVALE_HOME="$home" QT_QPA_PLATFORM=xcb "$exe" >"$work/second.out" 2>&1 &
second_pid=$!
wait_until 10 'box=$(xdotool search --onlyvisible --pid "$second_pid" 2>/dev/null | head -n 1); [ -n "$box" ]' ||
    fail "the second start showed no message"
after=$(cd "$home" && find . -path ./\*.std\* -prune -o -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the second start touched the program folder"
xdotool windowfocus --sync "$box"
xdotool key --clearmodifiers Return
wait_exit "$second_pid" 10 || fail "the second start did not end after its message"
kill -0 "$first_pid" || fail "the first instance ended"
echo "second start: refused with a message, no file touched"

# 3. A killed instance leaves its lock behind; the next start still runs.
rinvale_kill
rinvale_start "$exe" "$home"
wait_for_main_window >/dev/null || fail "a stale lock blocked the next start"
echo "start after a crash: not blocked"
echo "1 passed, 0 failed"
