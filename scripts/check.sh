#!/usr/bin/env bash
# The sanitizer check: builds the program's tests with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of its own and runs the unit and widget tests
# there (not the end-to-end ones); then makes sure GCC's -fsanitize=undefined accepts every
# source file too, since its constant evaluation refuses things clang takes.
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
cmake --build "$dir" -j "$jobs" --target unit_tests gui_tests
built=$SECONDS

(cd "$dir" && ctest -j "$jobs" --output-on-failure -E '^e2e\.')
tested=$SECONDS

# GCC: every translation unit of the normal build, checked with -fsanitize=undefined.
gccdir="$dir-gcc"
cmake -S . -B "$gccdir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=undefined" >/dev/null
cmake --build "$gccdir" -j "$jobs" --target rinvale_core_autogen rinvale_ui_autogen rinvale_autogen \
    unit_tests_autogen gui_tests_autogen >/dev/null
python3 - "$gccdir/compile_commands.json" "$jobs" "$(cd "$gccdir" && pwd)" <<'PY'
import json, re, shlex, subprocess, sys
from concurrent.futures import ThreadPoolExecutor
entries = json.load(open(sys.argv[1]))
def check(e):
    cmd = re.sub(r" -o \S+", "", e["command"]).replace(" -c ", " -fsyntax-only ", 1)
    r = subprocess.run(cmd, shell=True, cwd=e["directory"], capture_output=True, text=True)
    return e["file"], r.returncode, r.stderr
failed = 0
with ThreadPoolExecutor(int(sys.argv[2])) as pool:
    # Generated units (moc, resources) are Qt's; every unit of the project's own is checked.
    own = [e for e in entries if "/bench/" not in e["file"] and not e["file"].startswith(sys.argv[3])]
    for name, code, err in pool.map(check, own):
        if code != 0:
            failed += 1
            print(f"g++ -fsanitize=undefined refuses {name}:\n{err}")
print(f"g++ -fsanitize=undefined: {len(own)} units checked, {failed} refused")
sys.exit(1 if failed else 0)
PY
echo "check: build $((built - start)) s, sanitized tests $((tested - built)) s, GCC pass $((SECONDS - tested)) s, total $((SECONDS - start)) s"
