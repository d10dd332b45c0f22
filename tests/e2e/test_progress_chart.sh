#!/usr/bin/env bash
# The real program on a prepared year of attempts: 上達グラフ(&G) opens with its caption (photographed
# when SCREENSHOT_DIR is set); the log window's CSV button saves every month, which reads back whole.
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
attempts=$(python3 "$(dirname "$0")/year_of_attempts.py" "$home" "$(date +%Y-%m-%d)") || fail "no log prepared"
start_main

menu_key "$win" k g
chart=$(wait_for_window "^上達グラフ\$" 10) || fail "上達グラフ did not open"
sleep 1
[ -n "${SCREENSHOT_DIR:-}" ] && screenshot "$SCREENSHOT_DIR/progress-chart.png"
xdotool windowfocus --sync "$chart"
xdotool key --clearmodifiers Escape
wait_until 5 '[ -z "$(xdotool search --onlyvisible --name "^上達グラフ\$" 2>/dev/null || true)" ]' ||
    fail "Esc did not close 上達グラフ"

menu_key "$win" k l
log=$(wait_for_window "^練習結果全ログ\$" 10) || fail "練習結果全ログ did not open"
xdotool windowfocus --sync "$log"
xdotool key --clearmodifiers alt+v
sleep 0.5
xdotool key --clearmodifiers a
files=$(wait_for_window "^CSVで保存\$" 10) || fail "no file dialog"
xdotool windowfocus --sync "$files"
sleep 0.3
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$home/all.csv"
xdotool key --clearmodifiers Return
wait_until 10 '[ -s "$home/all.csv" ]' || fail "no CSV file written"

python3 - "$home/all.csv" "$attempts" <<'PY' || fail "the CSV file does not read back"
import csv, sys
raw = open(sys.argv[1], "rb").read()
assert raw.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
rows = list(csv.reader(raw[3:].decode("utf-8").splitlines()))
assert rows[0][:3] == ["練習日", "テキストID", "表題"], rows[0]
assert len(rows) == 1 + int(sys.argv[2]), (len(rows), sys.argv[2])
assert all(len(r) == 16 for r in rows), "a row of another width"
assert any(r[2] == "日本国憲法 前文, その1" for r in rows), "a title with a comma did not come back whole"
print(f"{len(rows) - 1} attempts read back")
PY
echo "1 passed, 0 failed"
