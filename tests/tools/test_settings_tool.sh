#!/usr/bin/env bash
# The settings tool of the end-to-end tests: the files it writes are byte for byte the table
# the program reads (4-byte number, 2-byte lengths, code page 932 text), it reads back what it
# wrote, edits keep the other entries, and --check tells a whole table from a damaged one.
set -euo pipefail
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
file="$work/RudUZ.rvl"

"$tool" "$file" 3=1 12=7 0=-15 200.address=240101000000.txt 5.name=漢字
# 501 entries of 8 bytes, the address's 16 bytes and the name's 4 (two double-byte characters).
[ "$(stat -c %s "$file")" -eq $((501 * 8 + 16 + 4)) ] || fail "the file is $(stat -c %s "$file") bytes"
hex() { od -An -tx1 -j "$1" -N "$2" "$file" | tr -d ' \n'; }
[ "$(hex 0 8)" = "f1ffffff00000000" ] || fail "entry 0 is $(hex 0 8)"
[ "$(hex 24 8)" = "0100000000000000" ] || fail "entry 3 is $(hex 24 8)"
[ "$(hex 40 12)" = "0000000004008abf8e9a0000" ] || fail "entry 5 is $(hex 40 12), not 漢字 in code page 932"
[ "$(hex 100 8)" = "0700000000000000" ] || fail "entry 12 is $(hex 100 8)"
"$tool" --check "$file" || fail "--check refused a whole table"

# get ENTRY EXPECTED
get() { [ "$("$tool" --get "$file" "$1")" = "$2" ] || fail "$1 reads '$("$tool" --get "$file" "$1")', not '$2'"; }
get 0 -15
get 12 7
get 200.address 240101000000.txt
get 5.name 漢字
"$tool" "$file" 12=8 200.address=
get 12 8
get 3 1
get 200.address ""
get 5.name 漢字

# Damaged files: cut inside the table, and bytes after it.
head -c 4000 "$file" >"$work/cut.rvl"
! "$tool" --check "$work/cut.rvl" 2>/dev/null || fail "--check passed a cut table"
{ cat "$file"; printf 'x'; } >"$work/long.rvl"
! "$tool" --check "$work/long.rvl" 2>/dev/null || fail "--check passed a table with a byte after it"

# Bad arguments change nothing and fail.
before="$(md5sum <"$file")"
for bad in 501=1 -1=1 3=x 3 3.colour=1 ""; do
    ! "$tool" "$file" "$bad" 2>/dev/null || fail "the assignment '$bad' was taken"
done
[ "$(md5sum <"$file")" = "$before" ] || fail "a refused assignment changed the file"
! "$tool" --get "$work/missing.rvl" 3 2>/dev/null || fail "--get read a missing file"
[ ! -e "$work/missing.rvl" ] || fail "--get created a file"
echo "1 passed, 0 failed"
