#!/usr/bin/env bash
# One input-method session (run by test_input_method.sh as an ordinary user).
set -euo pipefail
work="$1"
cd "$work"
source "$work/xvfb-session.sh"
fail() { echo "FAIL: $*" >&2; [ -f "$work/keys.log" ] && tail -n 30 "$work/keys.log" >&2; exit 1; }

export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$XDG_CONFIG_HOME/fcitx5" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '%s\n' '[Groups/0]' Name=Default 'Default Layout=us' DefaultIM=mozc '[Groups/0/Items/0]' Name=keyboard-us \
    Layout= '[Groups/0/Items/1]' Name=mozc Layout= '[GroupOrder]' 0=Default >"$XDG_CONFIG_HOME/fcitx5/profile"
printf '%s\n' '[Hotkey/TriggerKeys]' 0=Control+space 1=Zenkaku_Hankaku '[Behavior]' ActiveByDefault=True \
    ShareInputState=No >"$XDG_CONFIG_HOME/fcitx5/config"

pids=()
stalled_pid=""
cleanup() {
    [ -n "$stalled_pid" ] && kill -CONT "$stalled_pid" 2>/dev/null
    rinvale_stop
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop_pid "${pids[$i]}"; done
    [ -n "${DBUS_PID:-}" ] && kill "$DBUS_PID" 2>/dev/null
    xvfb_stop
}
trap cleanup EXIT

xvfb_start
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
DBUS_PID=$(echo "$bus" | sed -n 2p)

/usr/lib/mozc/mozc_server >/dev/null 2>&1 &
pids+=($!)
fcitx5 --disable=wayland,waylandim,kimpanel,notificationitem,notifications,ibusfrontend,fcitx4frontend,xim,clipboard \
    >"$work/fcitx5.log" 2>&1 &
pids+=($!)

fcitx_state() {
    dbus-send --session --print-reply=literal --dest=org.fcitx.Fcitx5 /controller \
        org.fcitx.Fcitx.Controller1.State 2>/dev/null | awk '{print $2}'
}
wait_until 20 '[ -n "$(fcitx_state)" ]' || fail "fcitx5 did not come up"
state_is() { [ "$(fcitx_state)" = "$1" ]; }
log_has() { grep -q -- "$1" "$work/keys.log" 2>/dev/null; }
log_count() { grep -c -- "$1" "$work/keys.log" 2>/dev/null || true; }

RINVALE_HOME="$work/prog" RINVALE_KEY_LOG="$work/keys.log" QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb \
    "$work/rinvale" >"$work/rinvale.out" 2>&1 &
RINVALE_PID=$!
win=$(wait_for_main_window 20) || fail "main window did not appear"
xdotool windowfocus --sync "$win"
sleep 0.2

counts_now() { grep '^counts' "$work/keys.log" | tail -n 1; }
field() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }
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

# 1. Japanese: かんじ + Space + Enter, then あ + Backspace (inside the composition) and a
#    Backspace on committed text.
xdotool key --clearmodifiers space
wait_until 10 'log_has "^typing"' || fail "typing did not begin"
wait_until 5 'state_is 2' || fail "the input method did not open for the Japanese text"
# Warm-up: the input box's input context connects asynchronously and the first key may pass
# the input method by. Type "a" until it composes, then cancel the composition.
for attempt in 1 2 3 4 5; do
    after_key a keydown "the warm-up key was not seen"
    if grep '^keydown' "$work/keys.log" | tail -n 1 | grep -q 'code=229'; then
        xdotool key --clearmodifiers Escape
        break
    fi
    xdotool key --clearmodifiers BackSpace
    sleep 0.2
done
sleep 0.3
base=$(counts_now)
downs=$(log_count '^keydown')
keys k a n j i space Return a BackSpace BackSpace
wait_until 5 '[ "$(log_count "^keydown")" -ge '"$((downs + 10))"' ]' || fail "not every key reached the counting"
sleep 0.2
now=$(counts_now)
delta=""
for f in keystrokes conversions confirmations teisei shusei; do
    delta="$delta $f=$(($(field "$now" $f) - $(field "$base" $f)))"
done
expected=" keystrokes=10 conversions=1 confirmations=1 teisei=1 shusei=1"
[ "$delta" = "$expected" ] || fail "Japanese typing counted '$delta', expected '$expected'"
echo "かんじ + Space + Enter, Backspace in and out of the composition:$delta"

# 2. Retry with the input method left on: Space still starts the next attempt.
after_key Escape ready "Esc did not return to the ready state"
sleep 0.1
after_key space start "Space did not start an attempt after the input method was on"
echo "ready state: Space started the attempt although the input method had been on"
after_key Escape ready "Esc during the countdown did not retry"

# 2b. Alt+T while Mozc composes opens the トライアル menu; after Esc the composition is gone
#     and typing goes on, counted as usual.
after_key space typing "typing did not begin again"
wait_until 5 'state_is 2' || fail "the input method did not open again"
sleep 0.3
keys k a
wait_until 5 'log_has "preedit=か "' || fail "k a did not compose か"
menus=$(log_count '^menu practiceMenu')
xdotool key alt+t
wait_until 5 '[ "$(log_count "^menu practiceMenu")" -gt '"$menus"' ]' || fail "Alt+T during a composition opened no menu"
sleep 0.2
xdotool key Escape
sleep 0.3
keys a Return
wait_until 5 'log_has "^im commit=あ preedit= "' || fail "typing after the menu did not reach the input box"
log_has "^im commit=か" && fail "the composition was committed instead of dropped"
sleep 0.2
expect_counts "Alt+T while composing opened the menu; after Esc" 4 0 1 0 0
after_key Escape ready "Esc did not retry after the menu"

# 3. English sample: the input method stays off; no conversion and no confirmation.
menu_key "$win" s b
sleep 0.3
after_key space typing "typing did not begin on the English text"
wait_until 5 'state_is 1' || fail "the input method did not close for the English text"
keys_before=$(log_count '^keydown')
keys W E
wait_until 5 '[ "$(log_count "^keydown")" -ge '"$((keys_before + 4))"' ]' || fail "English keys did not reach the counting"
sleep 0.2
expect_counts "English with the input method off" 2 0 0 0 0

# 4. The input method stalls (stopped for 300 ms) while keys are typed: each key's answer
#    comes late, and each is still counted once, with its own code.
for p in $(pgrep -u "$(id -u)" -x fcitx5); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && stalled_pid=$p
done
[ -n "$stalled_pid" ] || fail "the fcitx5 process serving $DISPLAY was not found"
# stalled EXPECTED_KEYDOWNS KEY...: types KEYS 40 ms apart while fcitx5 is stopped, lets it go on,
# and checks the key-downs (code:own code) they gave.
stalled() {
    local expected="$1" n downs got
    shift
    n=$(wc -w <<<"$expected")
    downs=$(log_count '^keydown')
    kill -STOP "$stalled_pid"
    xdotool key --delay 40 "$@"
    sleep 0.3
    kill -CONT "$stalled_pid"
    wait_until 5 '[ "$(log_count "^keydown")" -ge '"$((downs + n))"' ]' || fail "stalled $* did not reach the counting"
    sleep 0.3
    got=$(grep '^keydown' "$work/keys.log" | tail -n +$((downs + 1)) | sed -n 's/^keydown code=\([0-9]*\) own=\([0-9]*\).*/\1:\2/p' | xargs)
    [ "$got" = "$expected" ] || fail "stalled $* gave key-downs '$got', expected '$expected'"
}
stalled "68:68 69:69 70:70" d e f
late=$(grep '^keydown' "$work/keys.log" | tail -n 3 | head -n 1 | sed -n 's/.*waited=\([0-9]*\).*/\1/p')
[ "$late" -ge 200 ] || fail "the input method did not stall (d answered after $late ms)"
expect_counts "d e f with the input method stalled ($late ms late)" 5 0 0 0 0
stalled "8:8" Return BackSpace
expect_counts "Return then Backspace with the input method stalled" 6 0 0 1 0

median=$(grep '^keydown' "$work/keys.log" | sed -n 's/.*waited=\([0-9]*\).*/\1/p' | sort -n |
    awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "median time from the raw key press to the counted key-down: ${median} ms"
echo "1 passed, 0 failed"
