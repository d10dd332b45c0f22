#!/usr/bin/env bash
# The real program under Xvfb, killed with SIGKILL again and again: whole-text attempts on an
# English sample at varying speeds, each ended by a kill a random moment after the last key (during
# the end-of-attempt writes) or after 終了(&X) (during the exit save), then a restart on the same
# folder. Every file stays whole (old or new) and the sample's best record never goes backwards:
# neither the best time in the settings file nor the CPM of its BestRec.log line.
# Usage: test_crash_safety.sh EXE [kills]
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/xvfb-session.sh"
e2e_begin "$1"
kills="${2:-20}"
fail() {
    echo "FAIL: $*" >&2
    tail -n 5 "$home.stderr" >&2 2>/dev/null || true
    [ -n "${KEEP_HOME:-}" ] && cp -r "$home" "$KEEP_HOME"
    exit 1
}
sample=7 # "The States Parties to the present Covenant": the shortest English sample
key=e000000000006
paragraphs="$here/../../data/samples/07.txt"
mapfile -t lines < <(tr -d '\r' <"$paragraphs" | grep -v '^[[:space:]]*$')
count=${#lines[@]}

# Settings: typing begins at once (countdown code 1) on sample 7; no file of the user's own.
settings="$(settings_tool "$exe")" || fail "no settings tool"
"$settings" "$home/RudUZ.rvl" 3=1 12="$sample" || fail "could not write the settings file"

# Prints "BEST CPM" and fails unless every file of the folder is whole. BEST is the sample's
# best time in the settings file (99999.99 when it has none), CPM that of its BestRec.log
# line (0 when there is none).
inspect() {
    local line
    "$settings" --check "$home/RudUZ.rvl" || return 1
    line="$("$settings" --get "$home/RudUZ.rvl" "$((300 + sample)).address")" || return 1
    python3 - "$home" "$key" "$count" "$line" <<'PY'
import glob, os, sys
home, key, paragraphs, line = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
logbox, bad = os.path.join(home, "LogBox"), sys.exit  # sys.exit prints the reason and fails
values = [float(t) for t in line.split(",")[:-1] if t.strip()]  # every time is followed by a comma
if line and (len(values) != 10 or len(line) != 90 or values != sorted(values)):
    bad(f"the best-times line is damaged or out of order: {line!r}")
best, cpm = values[0] if line else 99999.99, 0.0

def whole_lines(path):
    raw = open(path, "rb").read()
    raw and not raw.endswith(b"\r\n") and bad(f"{os.path.basename(path)} does not end with a whole line")
    return raw.split(b"\r\n")[:-1] if raw else []

if os.path.exists(os.path.join(logbox, "BestRec.log")):
    records = whole_lines(os.path.join(logbox, "BestRec.log"))
    if len(records) != 1 or not records[0].startswith(key.encode()):
        bad(f"BestRec.log should hold one line of the sample: {records!r}")
    cpm = float(records[0][35:43])
for path in (os.path.join(logbox, name + key[1:] + ".txt") for name in "db"):
    if os.path.exists(path) and len(whole_lines(path)) != 2 * paragraphs + 2:
        bad(f"{os.path.basename(path)} is not a whole details file")
for log in glob.glob(os.path.join(logbox, "*Practice.log")):
    whole_lines(log)
# The best times are stored before BestRec.log: a record line without them would let a slower
# attempt pass for a new best.
if cpm > 0 and best >= 99999:
    bad(f"BestRec.log holds CPM {cpm} but the settings file has no best time")
print(best, cpm)
PY
}

# Types the whole sample with DELAY ms between keys; a paragraph is taken on the next tick.
type_text() {
    xdotool windowfocus --sync "$win"
    xdotool key --clearmodifiers space
    sleep 0.2
    local i
    for ((i = 0; i < count; ++i)); do
        xdotool type --delay "$1" -- "${lines[$i]}"
        [ $i -lt $((count - 1)) ] && sleep 0.1
    done
    return 0
}
slower() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b + 1e-6) }'; }

read -r best cpm < <(inspect) || fail "the files are damaged before the first start"
start_main 30
attempts=0 writes=0 exits=0 newbests=0
for ((k = 1; k <= kills; ++k)); do
    speed=$((RANDOM % 3 * 2))      # 0, 2 or 4 ms between keys: attempts of varying speed
    delay_ms=$((RANDOM % 60))      # when the kill comes
    delay=$(printf '0.%03d' "$delay_ms")
    type_text "$speed"
    attempts=$((attempts + 1))
    if [ $((k % 3)) -ne 0 ]; then
        # During the end-of-attempt writes.
        sleep "$delay"
        rinvale_kill
        writes=$((writes + 1))
    else
        # During the save at exit: close the end dialog, then 終了(&X).
        close_end_dialog 20
        sleep 0.3
        menu_exit "$win"
        sleep "$delay"
        rinvale_kill
        exits=$((exits + 1))
    fi
    read -r now_best now_cpm < <(inspect) || fail "a file is damaged after kill $k (speed $speed, ${delay_ms} ms)"
    slower "$now_best" "$best" && fail "kill $k: the best time went back from $best to $now_best s"
    slower "$cpm" "$now_cpm" && fail "kill $k: BestRec.log went back from CPM $cpm to $now_cpm"
    [ "$now_best" != "$best" ] && newbests=$((newbests + 1))
    best=$now_best cpm=$now_cpm
    start_main 30
done
rinvale_stop
read -r best cpm < <(inspect) || fail "a file is damaged after the last run"
[ "$newbests" -gt 0 ] || fail "no attempt ever reached the files: the test typed nothing"
leftovers=$(find "$home" -name '*.rvl.*' -o -name '*.log.*' -o -name '*.txt.*' | wc -l)
echo "$kills kills ($writes in the end-of-attempt writes, $exits in the exit save), $newbests new bests," \
    "best $best s / CPM $cpm, $leftovers temporary files left by kills"
echo "1 passed, 0 failed"
