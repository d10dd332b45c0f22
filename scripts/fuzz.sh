#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DRINVALE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_settings_file fuzz_statistics_line fuzz_best_times_line \
    fuzz_practice_text fuzz_cp932_decode
for target in settings_file statistics_line best_times_line practice_text cp932_decode; do
    corpus="build-fuzz/corpus/$target"
    mkdir -p "$corpus"
    echo "== $target"
    "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=8192 "$corpus" 2>&1 | tail -n 2
done
