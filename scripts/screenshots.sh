#!/usr/bin/env bash
# Screenshots of the program as a user sees it, under Xvfb: the ready state, a running
# attempt with one wrong character, and the end-of-attempt dialog.
# Usage: scripts/screenshots.sh [build] [outdir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-build}"
out="${2:-screenshots}"
mkdir -p "$out"
source "$here/xvfb-session.sh"
trap xvfb_stop EXIT
home="$(mktemp -d)"
xvfb_start
rinvale_start "$build/src/rinvale" "$home"
win=$(wait_for_main_window)
sleep 0.5
import -window root "$out/ready.png"

# The English sample in paragraph practice, one wrong character typed.
xdotool windowfocus --sync "$win"
for k in alt+s b alt+t k; do xdotool key --clearmodifiers "$k"; sleep 0.3; done
choose=$(wait_for_window "段落指定" 10)
import -window root "$out/paragraph-choice.png"
xdotool windowfocus --sync "$choose"
xdotool key --clearmodifiers Return
sleep 0.3
xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers space
sleep 3.4
xdotool type --delay 40 "WE THE PEOPLEZ"
sleep 0.3
import -window root "$out/running-miss.png"
xdotool key --clearmodifiers BackSpace
xdotool type --delay 40 "S OF THE UNITED NATIONS DETERMINED"
wait_for_window "^Rinvale QX$" 10 >/dev/null
sleep 0.3
import -window root "$out/end-dialog.png"
echo "screenshots in $out: ready.png paragraph-choice.png running-miss.png end-dialog.png"
