#!/usr/bin/env bash
# Helpers for running the real program under Xvfb: source this file, then call
# xvfb_start, rinvale_start, wait_for_window, screenshot, xvfb_stop.
# Every process is ended by its own PID.

xvfb_start() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X${n}-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 100); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        kill "$XVFB_PID" 2>/dev/null
    done
    echo "could not start Xvfb" >&2
    return 1
}

# rinvale_start EXE HOME: starts the program with its own program folder.
rinvale_start() {
    RINVALE_HOME="$2" QT_QPA_PLATFORM=xcb "$1" >"$2.stdout" 2>"$2.stderr" &
    RINVALE_PID=$!
}

# wait_for_window NAME [seconds]: prints the X window id once a window with that title is mapped.
wait_for_window() {
    local deadline=$((SECONDS + ${2:-20})) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

screenshot() { import -window root "$1"; }

# stop_pid PID: ends one process we started and reaps it; never fails.
stop_pid() {
    [ -n "${1:-}" ] || return 0
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

rinvale_stop() {
    stop_pid "${RINVALE_PID:-}"
    RINVALE_PID=""
}

xvfb_stop() {
    rinvale_stop
    stop_pid "${XVFB_PID:-}"
    XVFB_PID=""
    return 0
}
