#!/usr/bin/env bash
# The sanitizer check: builds the program's tests with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of its own and runs the unit and widget tests
# there (not the end-to-end ones); then does the same with GCC's -fsanitize=undefined.
# Usage: scripts/check.sh [build folder]   (default build-asan; JOBS sets the parallel jobs)
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build-asan}"
jobs="${JOBS:-$(nproc)}"
start=$SECONDS
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# The test discovery after each link runs the tests' executables too, so the options come first.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Leaks inside the system's font and display libraries are theirs, not the program's.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    "${launcher[@]}" -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$dir" -j "$jobs" --target unit_tests gui_tests rinvale-settings
built=$SECONDS

# The end-to-end and install tests need the whole build (`make test` runs them); a sanitized
# program is not what gets installed.
(cd "$dir" && ctest -j "$jobs" --output-on-failure -E '^(e2e|install)\.')
tested=$SECONDS

# GCC: the program and the tests built again with its -fsanitize=undefined (its constant
# evaluation refuses things clang takes), and the tests run under it.
gccdir="$dir-gcc"
cmake -S . -B "$gccdir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="-fsanitize=undefined -fno-sanitize-recover=all" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" >/dev/null
cmake --build "$gccdir" -j "$jobs" --target rinvale unit_tests gui_tests rinvale-settings
(cd "$gccdir" && ctest -j "$jobs" --output-on-failure -E '^(e2e|install)\.')
echo "check: build $((built - start)) s, sanitized tests $((tested - built)) s, GCC build and tests $((SECONDS - tested)) s, total $((SECONDS - start)) s"
