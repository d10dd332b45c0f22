#!/usr/bin/env bash
# Takes screenshots of the program as a user sees it: scripts/screenshots.sh [build] [outdir]
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
win=$(wait_for_window "RinvaleQX")
sleep 0.5
screenshot "$out/ready.png"
echo "$out/ready.png"
