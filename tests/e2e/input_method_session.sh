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
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
cat >"$XDG_CONFIG_HOME/fcitx5/config" <<'CONFIG'
[Hotkey/TriggerKeys]
0=Control+space
1=Zenkaku_Hankaku

[Behavior]
ActiveByDefault=True
ShareInputState=No
CONFIG

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

# 1. Japanese: かんじ + Space + Enter, then あ + Backspace (inside the composition) and a
#    Backspace on committed text.
xdotool key --clearmodifiers space
wait_until 10 'log_has "^typing"' || fail "typing did not begin"
wait_until 5 'state_is 2' || fail "the input method did not open for the Japanese text"
# Warm-up: the input box's input context connects asynchronously and the first key may pass
# the input method by. Type "a" until it composes, then cancel the composition.
for attempt in 1 2 3 4 5; do
    downs=$(log_count '^keydown')
    xdotool key --clearmodifiers a
    wait_until 5 '[ "$(log_count "^keydown")" -gt '"$downs"' ]' || fail "the warm-up key was not seen"
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
for k in k a n j i space Return a BackSpace BackSpace; do
    xdotool key --clearmodifiers "$k"
    sleep 0.12
done
wait_until 5 '[ "$(log_count "^keydown")" -ge '"$((downs + 10))"' ]' || fail "not every key reached the counting"
sleep 0.2
now=$(counts_now)
delta=""
for f in keystrokes conversions confirmations teisei shusei; do
    delta="$delta $f=$(( $(field "$now" $f) - $(field "$base" $f) ))"
done
expected=" keystrokes=10 conversions=1 confirmations=1 teisei=1 shusei=1"
[ "$delta" = "$expected" ] || fail "Japanese typing counted '$delta', expected '$expected'"
echo "かんじ + Space + Enter, Backspace in and out of the composition:$delta"

# 2. Retry with the input method left on: Space still starts the next attempt.
readies=$(log_count '^ready')
xdotool key --clearmodifiers Escape
wait_until 5 '[ "$(log_count "^ready")" -gt '"$readies"' ]' || fail "Esc did not return to the ready state"
sleep 0.1
before=$(log_count '^start')
xdotool key --clearmodifiers space
wait_until 5 '[ "$(log_count "^start")" -gt '"$before"' ]' || fail "Space did not start an attempt after the input method was on"
echo "ready state: Space started the attempt although the input method had been on"
readies=$(log_count '^ready')
xdotool key --clearmodifiers Escape
wait_until 5 '[ "$(log_count "^ready")" -gt '"$readies"' ]' || fail "Esc during the countdown did not retry"

# 2b. Alt+T while Mozc composes opens the トライアル menu; after Esc the composition is gone
#     and typing goes on, counted as usual.
typing_before=$(log_count '^typing')
xdotool key --clearmodifiers space
wait_until 10 '[ "$(log_count "^typing")" -gt '"$typing_before"' ]' || fail "typing did not begin again"
wait_until 5 'state_is 2' || fail "the input method did not open again"
sleep 0.3
for k in k a; do
    xdotool key --clearmodifiers "$k"
    sleep 0.12
done
wait_until 5 'log_has "preedit=か "' || fail "k a did not compose か"
menus=$(log_count '^menu practiceMenu')
xdotool key alt+t
wait_until 5 '[ "$(log_count "^menu practiceMenu")" -gt '"$menus"' ]' || fail "Alt+T during a composition opened no menu"
sleep 0.2
xdotool key Escape
sleep 0.3
for k in a Return; do
    xdotool key --clearmodifiers "$k"
    sleep 0.12
done
wait_until 5 'log_has "^im commit=あ preedit= "' || fail "typing after the menu did not reach the input box"
log_has "^im commit=か" && fail "the composition was committed instead of dropped"
sleep 0.2
counts=$(counts_now)
expected="counts keystrokes=4 conversions=0 confirmations=1 teisei=0 shusei=0"
[ "$counts" = "$expected" ] || fail "typing around Alt+T counted '$counts', expected '$expected'"
echo "Alt+T while composing opened the menu; after Esc: $counts"
readies=$(log_count '^ready')
xdotool key --clearmodifiers Escape
wait_until 5 '[ "$(log_count "^ready")" -gt '"$readies"' ]' || fail "Esc did not retry after the menu"

# 3. English sample: the input method stays off; no conversion and no confirmation.
xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key --clearmodifiers b
sleep 0.3
typing_before=$(log_count '^typing')
xdotool key --clearmodifiers space
wait_until 10 '[ "$(log_count "^typing")" -gt '"$typing_before"' ]' || fail "typing did not begin on the English text"
wait_until 5 'state_is 1' || fail "the input method did not close for the English text"
keys_before=$(log_count '^keydown')
for k in W E; do
    xdotool key --clearmodifiers "$k"
    sleep 0.12
done
wait_until 5 '[ "$(log_count "^keydown")" -ge '"$((keys_before + 4))"' ]' || fail "English keys did not reach the counting"
sleep 0.2
counts=$(grep '^counts' "$work/keys.log" | tail -n 1)
expected="counts keystrokes=2 conversions=0 confirmations=0 teisei=0 shusei=0"
[ "$counts" = "$expected" ] || fail "English typing counted '$counts', expected '$expected'"
echo "English with the input method off: $counts"

# 4. The input method stalls (stopped for 300 ms) while keys are typed: each key's answer
#    comes late, and each is still counted once, with its own code.
for p in $(pgrep -u "$(id -u)" -x fcitx5); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && stalled_pid=$p
done
[ -n "$stalled_pid" ] || fail "the fcitx5 process serving $DISPLAY was not found"
# stalled KEYS...: types KEYS 40 ms apart while fcitx5 is stopped, then lets it go on.
stalled() {
    kill -STOP "$stalled_pid"
    xdotool key --delay 40 "$@"
    sleep 0.3
    kill -CONT "$stalled_pid"
}
keydowns() { grep '^keydown' "$work/keys.log" | sed -n "s/^keydown code=\([0-9]*\) own=\([0-9]*\).*/\1:\2/p" | tail -n "$1" | tr '\n' ' '; }
downs=$(log_count '^keydown')
stalled d e f
wait_until 5 '[ "$(log_count "^keydown")" -ge '"$((downs + 3))"' ]' || fail "stalled keys did not reach the counting"
sleep 0.3
[ "$(log_count '^keydown')" -eq $((downs + 3)) ] || fail "d e f gave $(($(log_count '^keydown') - downs)) key-downs, expected 3"
[ "$(keydowns 3)" = "68:68 69:69 70:70 " ] || fail "stalled d e f gave key-downs '$(keydowns 3)'"
late=$(grep '^keydown' "$work/keys.log" | tail -n 3 | head -n 1 | sed -n 's/.*waited=\([0-9]*\).*/\1/p')
[ "$late" -ge 200 ] || fail "the input method did not stall (d answered after $late ms)"
counts=$(counts_now)
expected="counts keystrokes=5 conversions=0 confirmations=0 teisei=0 shusei=0"
[ "$counts" = "$expected" ] || fail "stalled d e f counted '$counts', expected '$expected'"
echo "d e f with the input method stalled ($late ms late): $counts"
downs=$(log_count '^keydown')
stalled Return BackSpace
wait_until 5 '[ "$(log_count "^keydown")" -ge '"$((downs + 1))"' ]' || fail "the stalled Backspace did not reach the counting"
sleep 0.3
[ "$(log_count '^keydown')" -eq $((downs + 1)) ] || fail "Return Backspace gave $(($(log_count '^keydown') - downs)) key-downs, expected 1"
[ "$(keydowns 1)" = "8:8 " ] || fail "the stalled Backspace gave the key-down '$(keydowns 1)'"
counts=$(counts_now)
expected="counts keystrokes=6 conversions=0 confirmations=0 teisei=1 shusei=0"
[ "$counts" = "$expected" ] || fail "stalled Return Backspace counted '$counts', expected '$expected'"
echo "Return then Backspace with the input method stalled: $counts"

median=$(grep '^keydown' "$work/keys.log" | sed -n 's/.*waited=\([0-9]*\).*/\1/p' | sort -n |
    awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "median time from the raw key press to the counted key-down: ${median} ms"
echo "1 passed, 0 failed"
