#!/usr/bin/env bash
# Start-up to a shown main window, measured on the real program under Xvfb: the median of
# N starts (process launch to the first exposed frame) and the resident memory of a
# running program. Usage: scripts/startup-time.sh [build] [N]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-build}"
runs="${2:-15}"
exe="$build/src/rinvale"
source "$here/xvfb-session.sh"
trap xvfb_stop EXIT
xvfb_start
home="$(mktemp -d)"
times=()
for i in $(seq 1 "$runs"); do
    start=$(date +%s%3N)
    shown=$(RINVALE_HOME="$home" RINVALE_STARTUP_PROBE=1 QT_QPA_PLATFORM=xcb "$exe" 2>/dev/null | awk '/^shown/ {print $2}')
    times+=($((shown - start)))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "start-up to shown window: median ${median} ms over ${runs} starts (all: ${times[*]})"
rinvale_start "$exe" "$home"
wait_for_main_window >/dev/null
sleep 1
rss=$(awk '/VmRSS/ {print $2}' "/proc/$RINVALE_PID/status")
echo "resident memory: $((rss / 1024)) MB"
