#!/usr/bin/env bash
# One input-method session (run by test_input_method.sh as an ordinary user).
set -euo pipefail
work="$1"
cd "$work"
source "$work/xvfb-session.sh"
fail() { echo "FAIL: $*" >&2; [ -f "$work/keys.log" ] && tail -n 30 "$work/keys.log" >&2; exit 1; }

im_session_start "$work"
field() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# 1. Japanese: かんじ + Space + Enter, then あ + Backspace (inside the composition) and a
#    Backspace on committed text.
xdotool key --clearmodifiers space
wait_until 10 'log_has "^typing"' || fail "typing did not begin"
wait_until 5 'state_is 2' || fail "the input method did not open for the Japanese text"
im_warm_up
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
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && IM_STALLED=$p
done
[ -n "${IM_STALLED:-}" ] || fail "the fcitx5 process serving $DISPLAY was not found"
# stalled EXPECTED_KEYDOWNS KEY...: types KEYS 40 ms apart while fcitx5 is stopped, lets it go on,
# and checks the key-downs (code:own code) they gave.
stalled() {
    local expected="$1" n downs got
    shift
    n=$(wc -w <<<"$expected")
    downs=$(log_count '^keydown')
    kill -STOP "$IM_STALLED"
    xdotool key --delay 40 "$@"
    sleep 0.3
    kill -CONT "$IM_STALLED"
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
