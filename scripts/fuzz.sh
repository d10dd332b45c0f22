#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while. A finding (libFuzzer keeps
# the input as build-fuzz/findings/TARGET-crash-*) fails the script once every target has run.
# Usage: scripts/fuzz.sh [seconds per target] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
jobs="${JOBS:-2}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DRINVALE_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzz_all
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(settings_file statistics_line best_times_line practice_text cp932_decode
             settings_roundtrip raw_lines bestrec_update record_deletion practice_log best_records
             detail_file text_head exam_log weakness_log log_entries)
fi
# The targets that work on files use a scratch folder; memory is faster than the disk.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
mkdir -p build-fuzz/findings
found=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    mkdir -p "$corpus"
    log="build-fuzz/fuzz_$target.log"
    if "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=build-fuzz/findings/"$target"- "$corpus" >"$log" 2>&1; then
        runs=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | tail -n 1)
        echo "fuzz_$target: ${runs:-no run count} - no finding"
    else
        grep -A 12 -m 1 'ERROR\|SUMMARY\|deadly signal' "$log" || tail -n 20 "$log"
        echo "fuzz_$target: FINDING after $(grep -o '#[0-9]*' "$log" | tail -n 1) runs (see $log, build-fuzz/findings)"
        found=1
    fi
done
exit $found
