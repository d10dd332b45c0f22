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

# start_main: starts the program in $exe on $home and sets $win to its main window.
start_main() {
    rinvale_start "$exe" "$home"
    win=$(wait_for_main_window "${1:-20}") || fail "main window did not appear"
}

# window_position WINDOW: "x,y" of the window on the screen.
window_position() { xdotool getwindowgeometry "$1" | awk '/Position:/ {print $2}'; }

# set_work_area X Y WIDTH HEIGHT: the desktop's work area, as panels would leave it. Xvfb clears
# the root window's properties whenever its last client leaves: one client stays connected,
# watching the work area (it ends with the server).
set_work_area() {
    local _
    xprop -root -spy _NET_WORKAREA >/dev/null 2>&1 &
    for _ in $(seq 1 50); do
        xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$1,$2,$3,$4"
        sleep 0.1
        [ "$(xprop -root _NET_WORKAREA)" = "_NET_WORKAREA(CARDINAL) = $1, $2, $3, $4" ] && return 0
    done
    return 1
}

# ---- The real input method: fcitx5 with Mozc on a D-Bus session of its own ----------------

# as_ordinary_user SCRIPT WORK: copies SCRIPT and this helper into WORK and runs SCRIPT WORK there,
# as the user rinvale-e2e when called as root (Mozc refuses to run as root).
as_ordinary_user() {
    local tool
    for tool in fcitx5 /usr/lib/mozc/mozc_server dbus-daemon dbus-send xdotool Xvfb; do
        command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
    done
    chmod 755 "$2"
    cp "$1" "${BASH_SOURCE[0]}" "$2/"
    if [ "$(id -u)" -eq 0 ]; then
        id rinvale-e2e >/dev/null 2>&1 || useradd --create-home --shell /bin/bash rinvale-e2e
        chown -R rinvale-e2e "$2"
        runuser -u rinvale-e2e -- bash "$2/$(basename "$1")" "$2"
    else
        bash "$2/$(basename "$1")" "$2"
    fi
}

# im_session_start WORK: an X server, a session bus, Mozc and fcitx5 (Mozc on by default, Ctrl+Space
# toggles), all with their settings and logs in WORK, stopped in reverse order at exit; then the
# program in WORK/rinvale with its key log in WORK/keys.log, its window in $win.
im_session_start() {
    IM_WORK="$1" IM_PIDS=()
    export HOME="$1/home" XDG_RUNTIME_DIR="$1/run" XDG_CONFIG_HOME="$1/home/.config"
    mkdir -p "$XDG_CONFIG_HOME/fcitx5" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    printf '%s\n' '[Groups/0]' Name=Default 'Default Layout=us' DefaultIM=mozc '[Groups/0/Items/0]' Name=keyboard-us \
        Layout= '[Groups/0/Items/1]' Name=mozc Layout= '[GroupOrder]' 0=Default >"$XDG_CONFIG_HOME/fcitx5/profile"
    printf '%s\n' '[Hotkey/TriggerKeys]' 0=Control+space 1=Zenkaku_Hankaku '[Behavior]' ActiveByDefault=True \
        ShareInputState=No >"$XDG_CONFIG_HOME/fcitx5/config"
    trap im_session_stop EXIT
    xvfb_start
    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
    DBUS_PID=$(echo "$bus" | sed -n 2p)
    /usr/lib/mozc/mozc_server >/dev/null 2>&1 &
    IM_PIDS+=($!)
    fcitx5 --disable=wayland,waylandim,kimpanel,notificationitem,notifications,ibusfrontend,fcitx4frontend,xim,clipboard \
        >"$1/fcitx5.log" 2>&1 &
    IM_PIDS+=($!)
    wait_until 20 '[ -n "$(fcitx_state)" ]' || fail "fcitx5 did not come up"
    RINVALE_HOME="$1/prog" RINVALE_KEY_LOG="$1/keys.log" QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb \
        "$1/rinvale" >"$1/rinvale.out" 2>&1 &
    RINVALE_PID=$!
    win=$(wait_for_main_window 20) || fail "main window did not appear"
    xdotool windowfocus --sync "$win"
    sleep 0.2
}
im_session_stop() {
    local i
    [ -n "${IM_STALLED:-}" ] && kill -CONT "$IM_STALLED" 2>/dev/null # a test may stop fcitx5 for a while
    rinvale_stop
    for ((i = ${#IM_PIDS[@]} - 1; i >= 0; i--)); do stop_pid "${IM_PIDS[$i]}"; done
    [ -n "${DBUS_PID:-}" ] && kill "$DBUS_PID" 2>/dev/null
    xvfb_stop
}
# im_warm_up: the input box's input context connects asynchronously and the first key may pass
# the input method by: types "a" until it composes, then cancels the composition.
im_warm_up() {
    local attempt
    for attempt in 1 2 3 4 5; do
        after_key a keydown "the warm-up key was not seen"
        if grep '^keydown' "$IM_WORK/keys.log" | tail -n 1 | grep -q 'code=229'; then
            xdotool key --clearmodifiers Escape
            break
        fi
        xdotool key --clearmodifiers BackSpace
        sleep 0.2
    done
}
# fcitx_state: 1 when the input method is off, 2 when on, empty while fcitx5 does not answer.
fcitx_state() {
    dbus-send --session --print-reply=literal --dest=org.fcitx.Fcitx5 /controller \
        org.fcitx.Fcitx.Controller1.State 2>/dev/null | awk '{print $2}'
}
state_is() { [ "$(fcitx_state)" = "$1" ]; }
# The key log: log_has PATTERN, log_count PATTERN, and the attempt's last counters.
log_has() { grep -q -- "$1" "$IM_WORK/keys.log" 2>/dev/null; }
log_count() { grep -c -- "$1" "$IM_WORK/keys.log" 2>/dev/null || true; }
counts_now() { grep '^counts' "$IM_WORK/keys.log" | tail -n 1; }
# keys KEY...: types keys 120 ms apart.
keys() { for k; do xdotool key --clearmodifiers "$k"; sleep 0.12; done; }
# after_key KEY EVENT WHAT: presses KEY and waits for one more EVENT line in the key log.
after_key() {
    local before
    before=$(log_count "^$2")
    xdotool key --clearmodifiers "$1"
    wait_until 10 '[ "$(log_count "^'"$2"'")" -gt '"$before"' ]' || fail "$3"
}
# expect_counts WHAT KEYSTROKES CONVERSIONS CONFIRMATIONS TEISEI SHUSEI: the attempt's counters now.
expect_counts() {
    local expected="counts keystrokes=$2 conversions=$3 confirmations=$4 teisei=$5 shusei=$6"
    [ "$(counts_now)" = "$expected" ] || fail "$1 counted '$(counts_now)', expected '$expected'"
    echo "$1: $expected"
}

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
