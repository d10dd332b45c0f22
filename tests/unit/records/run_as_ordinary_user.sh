#!/usr/bin/env bash
# run_as_ordinary_user.sh UNIT_TESTS FILTER COUNT: runs the unit tests FILTER selects as an
# ordinary user. Root writes into read-only folders, so the tests of a read-only LogBox skip
# themselves as root; CI runs as root, and this is how they still run there. As root the tests
# run as "nobody" in a folder of their own; otherwise as the calling user. Fails unless exactly
# COUNT tests ran and passed, none skipped.
set -euo pipefail
exe="$1" filter="$2" count="$3"
work="$(mktemp -d /tmp/rinvale-user.XXXXXX)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$exe" "$work/unit_tests" # the build folder may not be open to other users
mkdir "$work/tmp"
as=()
if [ "$(id -u)" -eq 0 ]; then
    user=nobody
    chown "$user" "$work/tmp"
    as=(runuser -u "$user" --)
fi
status=0
out="$("${as[@]}" env HOME="$work/tmp" TMPDIR="$work/tmp" "$work/unit_tests" --gtest_filter="$filter" 2>&1)" ||
    status=$?
echo "$out"
[ "$status" -eq 0 ] || { echo "FAIL: the tests failed (status $status)" >&2; exit 1; }
if grep -q '^\[  SKIPPED \]' <<<"$out"; then
    echo "FAIL: a test skipped itself though it ran as an ordinary user" >&2
    exit 1
fi
grep -q "^\[  PASSED  \] $count tests\?\.$" <<<"$out" || { echo "FAIL: $count tests should have run" >&2; exit 1; }
