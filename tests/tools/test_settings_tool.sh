#!/usr/bin/env bash
# The settings tool of the end-to-end tests: its files are byte for byte the table the program reads
# (4-byte number, 2-byte lengths, code page 932 text), it reads back what it wrote, edits keep the
# other entries, --check tells a whole table from a damaged one, and bad arguments change nothing.
set -euo pipefail
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
file="$work/RudUZ.rvl"
hex() { od -An -tx1 -j "$1" -N "$2" "$file" | tr -d ' \n'; }
get() { [ "$("$tool" --get "$file" "$1")" = "$2" ] || fail "$1 reads '$("$tool" --get "$file" "$1")', not '$2'"; }

"$tool" "$file" 3=1 12=7 0=-15 200.address=240101000000.txt 5.name=漢字
# 501 entries of 8 bytes, the address's 16 bytes and the name's 4 (two double-byte characters).
[ "$(stat -c %s "$file")" -eq $((501 * 8 + 16 + 4)) ] || fail "the file is $(stat -c %s "$file") bytes"
entries="$(hex 0 8) $(hex 24 8) $(hex 40 12) $(hex 100 8)" # entries 0, 3, 5 and 12
[ "$entries" = "f1ffffff00000000 0100000000000000 0000000004008abf8e9a0000 0700000000000000" ] ||
    fail "entries 0, 3, 5 and 12 are $entries"
get 200.address 240101000000.txt
"$tool" "$file" 12=8 200.address=
for pair in 0=-15 3=1 12=8 200.address= 5.name=漢字; do get "${pair%%=*}" "${pair#*=}"; done
"$tool" --check "$file" || fail "--check refused a whole table"
head -c 4000 "$file" >"$work/cut.rvl"
{ cat "$file"; printf 'x'; } >"$work/long.rvl"
for damaged in cut long; do ! "$tool" --check "$work/$damaged.rvl" 2>/dev/null || fail "--check passed $damaged.rvl"; done
before="$(md5sum <"$file")"
for bad in 501=1 -1=1 3=x 3 3.colour=1 ""; do ! "$tool" "$file" "$bad" 2>/dev/null || fail "'$bad' was taken"; done
[ "$(md5sum <"$file")" = "$before" ] || fail "a refused assignment changed the file"
! "$tool" --get "$work/missing.rvl" 3 2>/dev/null && [ ! -e "$work/missing.rvl" ] || fail "--get read or made a missing file"
echo "1 passed, 0 failed"
