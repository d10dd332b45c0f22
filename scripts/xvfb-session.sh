#!/usr/bin/env bash
# Helpers for running the real program under Xvfb, shared by the end-to-end tests and the
# scripts: source this file, then call xvfb_start, rinvale_start, wait_for_main_window, ...,
# xvfb_stop. Every process is ended by its own PID.

# fail MESSAGE: ends the test as failed. A script that has more to say defines its own.
fail() { echo "FAIL: $*" >&2; exit 1; }

# e2e_begin EXE: what an end-to-end test starts with: strict mode, the program in $exe, a fresh
# program folder in $home, an X server of its own, and everything stopped and removed at exit.
e2e_begin() {
    set -euo pipefail
    exe="$1"
    home="$(mktemp -d)"
    trap "xvfb_stop; rm -rf '$home' '$home.stdout' '$home.stderr'" EXIT
    xvfb_start
}

# xvfb_start: starts an X server of our own and exports DISPLAY. The server picks the display
# number itself (-displayfd): it takes the first number whose socket it can bind, and a socket
# cannot be bound twice, so tests running side by side, from this checkout or another, never
# share a display. No lock files are read: checking one and then starting a server races.
xvfb_start() {
    local display=""
    XVFB_DIR="$(mktemp -d "${TMPDIR:-/tmp}/rinvale-xvfb.XXXXXX")" || return 1
    : >"$XVFB_DIR/display"
    # -noreset: a server resets each time its last client leaves, and refuses connections
    # meanwhile; a program starting just after an xdotool call then finds no display.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$XVFB_DIR/display" >"$XVFB_DIR/log" 2>&1 &
    XVFB_PID=$!
    # The number is written, with a line end, once the server accepts connections.
    for _ in $(seq 1 400); do
        # read succeeds only on a whole line, so a number still being written is not taken.
        IFS= read -r display <"$XVFB_DIR/display" 2>/dev/null && [[ "$display" =~ ^[0-9]+$ ]] && break
        display=""
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    if [ -z "$display" ]; then
        echo "could not start Xvfb:" >&2
        cat "$XVFB_DIR/log" >&2
        xvfb_stop
        return 1
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || { echo "Xvfb ended after choosing :$display" >&2; xvfb_stop; return 1; }
    export DISPLAY=":$display"
    xdpyinfo >/dev/null 2>&1 || { echo "display $DISPLAY does not answer" >&2; xvfb_stop; return 1; }
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

# wait_for_main_window [seconds]: prints the main window's id once it is mapped.
wait_for_main_window() { wait_for_window "RinvaleQX ver" "${1:-20}"; }

# close_end_dialog [seconds]: waits for the end-of-attempt dialog and closes it with Esc.
close_end_dialog() {
    local box
    box=$(wait_for_window "^Rinvale QX$" "${1:-10}") || fail "no end-of-attempt dialog"
    xdotool windowfocus --sync "$box"
    xdotool key --clearmodifiers Escape
}

# menu_key WINDOW MENU ITEM: opens a menu of the main window with Alt+MENU and picks ITEM by its key.
menu_key() {
    xdotool windowfocus --sync "$1"
    xdotool key --clearmodifiers "alt+$2"
    sleep 0.3
    xdotool key --clearmodifiers "$3"
}

# menu_exit WINDOW: chooses 終了(&X) in the main window's file menu from the keyboard.
menu_exit() { menu_key "$1" f x; }

# rinvale_quit WINDOW: ends the program through 終了(&X), which saves the settings file, and waits for it.
rinvale_quit() {
    menu_exit "$1"
    wait_exit "$RINVALE_PID" 10 || fail "the program did not end after 終了(&X)"
    RINVALE_PID=""
}

# wait_until SECONDS 'CONDITION': polls until the shell condition holds (evaluated anew each time).
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until eval "$1"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}

# wait_exit PID SECONDS: waits for a process to end and returns its status (124 on time-out).
wait_exit() {
    local deadline=$((SECONDS + $2))
    while kill -0 "$1" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || return 124
        sleep 0.05
    done
    wait "$1"
}

# settings_tool EXE: prints the path of rinvale-settings, the tool that writes and reads
# settings files through the program's own code, from the build that made EXE
# ($RINVALE_SETTINGS_TOOL when set). Tests never write the file format themselves.
settings_tool() {
    if [ -n "${RINVALE_SETTINGS_TOOL:-}" ]; then
        echo "$RINVALE_SETTINGS_TOOL"
        return 0
    fi
    local dir
    dir="$(cd "$(dirname "$1")" && pwd)" || return 1
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir="$(dirname "$dir")"; done
    [ -x "$dir/tests/tools/rinvale-settings" ] || {
        echo "rinvale-settings is not built beside $1 (cmake --build <build> --target rinvale-settings)" >&2
        return 1
    }
    echo "$dir/tests/tools/rinvale-settings"
}

screenshot() { import -window root "$1"; }

# running PID: true while the process runs (an ended child not yet reaped does not count).
running() {
    local state
    state="$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)" || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

# stop_pid PID: ends one process we started and reaps it; never fails, never hangs. A process
# still running 5 s after SIGTERM is killed (fcitx5 can hang in its shutdown, joining a thread).
stop_pid() {
    [ -n "${1:-}" ] || return 0
    kill "$1" 2>/dev/null || true
    for _ in $(seq 1 100); do
        running "$1" || break
        sleep 0.05
    done
    running "$1" && kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null || true
}

rinvale_stop() {
    stop_pid "${RINVALE_PID:-}"
    RINVALE_PID=""
}

# rinvale_kill: ends the program at once (SIGKILL), as a crash or a power cut would.
rinvale_kill() {
    [ -n "${RINVALE_PID:-}" ] || return 0
    kill -9 "$RINVALE_PID" 2>/dev/null || true
    wait "$RINVALE_PID" 2>/dev/null || true
    RINVALE_PID=""
}

xvfb_stop() {
    rinvale_stop
    stop_pid "${XVFB_PID:-}"
    XVFB_PID=""
    [ -n "${XVFB_DIR:-}" ] && rm -rf "$XVFB_DIR"
    XVFB_DIR=""
    return 0
}
