#!/usr/bin/env bash
# The Xvfb helper every end-to-end script sources: sessions started side by side each get a display of their own,
# which keeps answering while the others start, stop and come and go; stopping a process that ignores SIGTERM
# does not hang the test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/xvfb-session.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
sessions=6

# One session: starts its server, writes its display, answers 10 connections, waits for the others to have
# written theirs (so all servers run at once), answers 10 more.
session() {
    trap xvfb_stop EXIT
    xvfb_start || exit 1
    echo "$DISPLAY" >"$work/display.$1"
    for _ in $(seq 1 10); do xdpyinfo >/dev/null || exit 1; done
    wait_until 10 '[ "$(ls "$work" | grep -c "^display\.")" -ge "$sessions" ]' || true
    for _ in $(seq 1 10); do xdpyinfo >/dev/null || exit 1; done
}

for round in 1 2 3; do
    rm -f "$work"/display.*
    pids=()
    for i in $(seq 1 $sessions); do
        session "$i" 2>"$work/err.$i" &
        pids+=($!)
    done
    for i in $(seq 1 $sessions); do wait "${pids[$((i - 1))]}" || fail "session $i: $(cat "$work/err.$i")"; done
    displays=$(cat "$work"/display.* | sort)
    [ "$(echo "$displays" | uniq | wc -l)" -eq "$sessions" ] || fail "sessions missing or sharing a display: $(echo $displays)"
    echo "round $round: $sessions sessions on $(echo $displays)"
done
# A process deaf to SIGTERM (as fcitx5 is when it hangs in its shutdown) is killed in the end.
(trap '' TERM; exec sleep 60) &
deaf=$!
sleep 0.2
started=$SECONDS
stop_pid "$deaf"
! kill -0 "$deaf" 2>/dev/null || fail "stop_pid left the process running"
[ $((SECONDS - started)) -le 10 ] || fail "stop_pid took $((SECONDS - started)) s"
echo "a process ignoring SIGTERM was stopped in $((SECONDS - started)) s"
echo "1 passed, 0 failed"
