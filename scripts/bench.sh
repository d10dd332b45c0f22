#!/usr/bin/env bash
# Runs the benchmarks (and the start-up measurement) of a build folder.
set -euo pipefail
build="${1:-build}"
"$build/bench/rinvale_bench" --benchmark_counters_tabular=true "${@:2}"
"$(dirname "$0")/startup-time.sh" "$build"
