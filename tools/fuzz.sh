#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz (clang, ASan and UBSan) and runs each
# for a bounded time, starting from its seed corpus, then the sweep of every code
# point through every output mode.
#
#   bash tools/fuzz.sh          about 60 s per target (what tools/test.sh runs)
#   bash tools/fuzz.sh 600      ten minutes per target
#
# QP_FUZZ_BUILD=dir builds and keeps the grown corpora and crash inputs somewhere
# other than build/fuzz. Ends with one line "fuzz: N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: bash tools/fuzz.sh [seconds per target]" >&2
  exit 2
fi
build=${QP_FUZZ_BUILD:-build/fuzz}
logs="$build/logs"
mkdir -p "$logs"
targets=(preferences command_line format find)
passed=0
failed=0

if ! { cmake --preset fuzz -B "$build" >"$logs/configure.log" 2>&1 &&
       cmake --build "$build" --target fuzzers -j 2 >"$logs/build.log" 2>&1; }; then
  tail -n 30 "$logs/configure.log" "$logs/build.log"
  echo "fuzz: FAILED: build"
  echo "fuzz: 0 passed, $(( ${#targets[@]} + 1 )) failed"
  exit 1
fi

for t in "${targets[@]}"; do
  # New inputs go to the first folder, so the committed seeds stay as they are.
  work="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  mkdir -p "$work" "$artifacts"
  start=$(date +%s)
  # The outer limit only catches a hang outside libFuzzer's own clock.
  timeout $(( seconds * 2 + 300 )) "$build/fuzz_$t" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work" "tests/fuzz/corpus/$t" >"$logs/$t.log" 2>&1
  rc=$?
  took=$(( $(date +%s) - start ))
  runs=$(sed -n -E 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$logs/$t.log" | tail -n1)
  if [ "$rc" -eq 0 ] && grep -q "^Done [0-9]* runs" "$logs/$t.log"; then
    echo "fuzz: $t ok: ${runs:-?} runs in ${took}s, corpus $(find "$work" -type f | wc -l) files"
    passed=$((passed + 1))
  else
    grep -E "check failed|ERROR|runtime error|SUMMARY|Test unit written" "$logs/$t.log" | head -n 8
    echo "fuzz: FAILED: $t (exit $rc after ${runs:-?} runs, ${took}s; log $logs/$t.log)"
    echo "fuzz:   replay an input with: $build/fuzz_$t <file from $artifacts>"
    failed=$((failed + 1))
  fi
done

start=$(date +%s)
if "$build/format_sweep" >"$logs/format_sweep.log" 2>&1; then
  echo "fuzz: $(tail -n1 "$logs/format_sweep.log") ($(( $(date +%s) - start ))s)"
  passed=$((passed + 1))
else
  tail -n 8 "$logs/format_sweep.log"
  echo "fuzz: FAILED: format sweep"
  failed=$((failed + 1))
fi

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
