#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang and runs each one in turn, starting from
# its seed corpus, then prints one line per target: executions, speed, corpus, findings.
#   scripts/fuzz.sh [seconds per target, default 600] [build folder, default build-fuzz] [seed]
# A seed other than 0 makes the mutations repeat from run to run; the test command passes one so
# that its short run does not pass or fail by chance. Long runs keep libFuzzer's random seed.
# The test command runs it for a few seconds per target; run it long by hand. Inputs that break
# a target are kept as <build folder>/findings/<target>/crash-*; replay one with
#   <build folder>/fuzz_<target> <file>
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
build=${2:-build-fuzz}
seed=${3:-0}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))

cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs"

targets=(text_rules delimited_text url_parts percent_encoding codepages extract_all_between
         header_block response_cookies)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
failed=0
summary=()
for target in "${targets[@]}"; do
  # The runs grow a corpus of their own; the committed seeds stay as they are.
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  log="$build/findings/$target.log"
  status=ok
  if ! "$build/fuzz_$target" "$corpus" "tests/fuzz/corpus/$target" -max_total_time="$seconds" -seed="$seed" \
      -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/" >"$log" 2>&1; then
    status="FAILED (see $log)"
    failed=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  summary+=("$(printf '%-22s %12s %10s %8s  %s' "$target" "${runs:-?}" "${rate:-?}" \
    "$(find "$corpus" -type f | wc -l)" "$status")")
done

printf '%-22s %12s %10s %8s  %s\n' target executions 'exec/s' corpus result
printf '%s\n' "${summary[@]}"
printf '%s seconds per target, %s\n' "$seconds" "$(date -u +%Y-%m-%d)"
exit "$failed"
