#!/usr/bin/env bash
# Builds every benchmark in Release and prints one table of the project's performance figures,
# each beside its baseline measured in the same run (bench/report/report.py says which).
#   scripts/bench-report.sh [--quick] [build folder, default build-bench]
# Takes a few minutes; run it on a quiet machine. Everything it serves is on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=()
if [[ "${1:-}" == "--quick" ]]; then
  quick=(--quick)
  shift
fi
build=${1:-build-bench}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))

cmake -S bench/report -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$jobs" --target extract_bench web_call_overhead web_timeout_timing \
  wait_floor event_loop_stall cold_start >/dev/null
python3 bench/report/report.py "$build" "${quick[@]}" 2>"$build/bench-report.log"
