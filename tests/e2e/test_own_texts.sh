#!/usr/bin/env bash
# A text of the user's own under Xvfb: pasted, saved, practised, edited with a changed body and
# overwritten (its records go, the month log stays), picked and deleted (the first sample is current).
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
e2e_begin "$1"
settings="$(settings_tool "$exe")" || fail "no settings tool"
"$settings" "$home/RudUZ.rvl" 3=1 || fail "could not write the settings file" # typing begins at once

# paste TEXT: puts TEXT on the clipboard and pastes it into the focused box.
paste() { printf '%s' "$1" | xclip -selection clipboard -loops 1 & sleep 0.3; xdotool key --clearmodifiers ctrl+v; sleep 0.3; }
# expected STATISTICS LAST_PARAGRAPH: the text's file as the program must write it.
expected() {
    printf 'Source\r\n%s\r\n%s\r\n%s\r\n%s\r\nabc def\r\n%s\r\n' "$(date +%y%m%d)" "$(printf '短い文章' | iconv -t CP932)" \
        "$1" "$(printf '99999.99,%.0s' {1..9})99999.99" "$2"
}
sum() { md5sum "$1" | cut -d' ' -f1; }
gone() { wait_until 5 "[ -z \"\$(xdotool search --onlyvisible --name '$1' 2>/dev/null || true)\" ]"; }

start_main

# テキスト新規作成(&N): the title has the focus; Tab leads to the body.
menu_key "$win" f n
editor=$(wait_for_window "練習用テキスト作成" 10) || fail "the editor did not open"
xdotool windowfocus --sync "$editor"
paste "短い文章"
xdotool key --clearmodifiers Tab
paste $'abc def\n\nghi'
xdotool mousemove --window "$editor" 80 510 click 1
xdotool type --delay 30 "Source"
xdotool key --clearmodifiers alt+c
gone "練習用テキスト作成" || fail "the editor did not close after 作成(&C)"
name=$(ls "$home/FileBox")
[[ "$name" =~ ^[0-9]{12}\.txt$ ]] || fail "FileBox should hold one text named yymmddhhnnss.txt, not '$name'"
cmp -s "$home/FileBox/$name" <(expected "  10 (   0,  10)(   0,   0,   0)(   9,   0,   1)" ghi) ||
    fail "the new text's file differs from what was pasted"
echo "created $name byte for byte"

xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers space
for part in "abc def" ghi; do sleep 0.3; xdotool type --delay 40 "$part"; done
close_end_dialog
sleep 0.4
practice=$(ls "$home"/LogBox/*Practice.log | head -n 1)
[ "$(wc -l <"$practice")" -eq 1 ] || fail "Practice.log should have one line"
head -c 13 "$home/LogBox/BestRec.log" | grep -q "^e${name:0:12}$" || fail "no BestRec.log line for the text"
[ -f "$home/LogBox/d$name" ] && [ -f "$home/LogBox/b$name" ] || fail "no details files"
echo "practised to the end: records written"

# 現在のテキストを編集(&E): a changed body, saved over the text (上書き保存 is preselected).
log_sum=$(sum "$practice")
menu_key "$win" f e
editor=$(wait_for_window "練習用テキスト編集" 10) || fail "the editor did not open for editing"
xdotool windowfocus --sync "$editor"
xdotool key --clearmodifiers Tab ctrl+a
paste $'abc def\n\nghij'
xdotool key --clearmodifiers alt+s
ask=$(wait_for_window "^Rinvale QX$" 10) || fail "no overwrite question"
xdotool windowfocus --sync "$ask"
xdotool key --clearmodifiers Return
gone "練習用テキスト編集" || fail "the editor did not close after 保存(&S)"
[ "$(ls "$home/FileBox")" = "$name" ] || fail "overwriting made another file"
cmp -s "$home/FileBox/$name" <(expected "  11 (   0,  11)(   0,   0,   0)(  10,   0,   1)" ghij) ||
    fail "the overwritten file is not the edited text with its records reset"
[ ! -s "$home/LogBox/BestRec.log" ] && [ ! -e "$home/LogBox/d$name" ] && [ ! -e "$home/LogBox/b$name" ] ||
    fail "the text's records were not removed"
[ "$(sum "$practice")" = "$log_sum" ] || fail "overwriting changed the month log"
echo "edited and overwritten: records gone, month log kept"

# テキスト選択→削除(&D): pick the text and delete it.
menu_key "$win" f d
picker=$(wait_for_window "テキストの選択→削除" 10) || fail "the picker did not open"
xdotool mousemove --window "$picker" 300 38 click 1
sleep 0.2
xdotool key --clearmodifiers alt+d
confirm=$(wait_for_window "テキストの削除" 10) || fail "no deletion question"
xdotool windowfocus --sync "$confirm"
xdotool key --clearmodifiers shift+Tab space
wait_until 5 '[ -z "$(ls "$home/FileBox")" ]' || fail "the text was not deleted"
xdotool windowfocus --sync "$picker"
xdotool key --clearmodifiers Escape
sleep 0.3
rinvale_quit "$win"
[ -z "$("$settings" --get "$home/RudUZ.rvl" 200.address)" ] && [ "$("$settings" --get "$home/RudUZ.rvl" 12)" = 0 ] ||
    fail "the first sample did not become current"
[ "$(sum "$practice")" = "$log_sum" ] || fail "deleting changed the month log"
echo "deleted: FileBox empty, the first sample current"
echo "1 passed, 0 failed"
