#!/usr/bin/env bash
# run_as_ordinary_user.sh UNIT_TESTS FILTER COUNT: runs the unit tests FILTER selects as an ordinary user, as root
# writes into read-only folders and the tests of a read-only LogBox skip themselves as root. As root (as in CI)
# they run as "nobody" in a folder of their own, otherwise as the caller. Fails unless exactly COUNT tests ran and
# passed, none skipped.
set -euo pipefail
exe="$1" filter="$2" count="$3"
work="$(mktemp -d /tmp/rinvale-user.XXXXXX)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$exe" "$work/unit_tests" # the build folder may not be open to other users
mkdir "$work/tmp"
as=()
[ "$(id -u)" -ne 0 ] || { chown nobody "$work/tmp"; as=(runuser -u nobody --); }
status=0
out="$("${as[@]}" env HOME="$work/tmp" TMPDIR="$work/tmp" "$work/unit_tests" --gtest_filter="$filter" 2>&1)" || status=$?
echo "$out"
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "the tests failed (status $status)"
! grep -q '^\[  SKIPPED \]' <<<"$out" || fail "a test skipped itself though it ran as an ordinary user"
grep -q "^\[  PASSED  \] $count tests\?\.$" <<<"$out" || fail "$count tests should have run"
