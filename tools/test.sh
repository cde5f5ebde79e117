#!/usr/bin/env bash
# Builds everything and runs every test: the include-layer check, unit tests (CTest, also under
# ASan and UBSan),
# the fuzz targets for a bounded time (tools/fuzz.sh), the three Windows builds
# (the 32-bit Pro build must compile and link), the end-to-end scenarios under Wine and a short
# soak (tools/soak.py, 1,000 clicks and 63 key-set changes).
# Ends with one line "test: N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
log_dir=build/logs
mkdir -p "$log_dir"

bash tools/setup.sh || { echo "test: set-up failed"; echo "test: 0 passed, 1 failed"; exit 1; }
bash tools/fetch_libpng.sh || { echo "test: libpng source missing"; echo "test: 0 passed, 1 failed"; exit 1; }

passed=0
failed=0
step_fail() { echo "test: FAILED: $1"; failed=$((failed + 1)); }

# ---- layering: every include under src/ points down (docs/ARCHITECTURE.md) --------------
if /usr/bin/python3 tools/check_layers.py 2>&1 | tee "$log_dir/layers.log" | tail -n 20; [ "${PIPESTATUS[0]}" -eq 0 ]; then
  passed=$((passed + 1))
else
  step_fail "include layers (see $log_dir/layers.log)"
fi

# ---- portable core and unit tests, plainly and under ASan + UBSan ----------------------
for preset in native native-asan; do
  if cmake --preset "$preset" >"$log_dir/configure-$preset.log" 2>&1 &&
     cmake --build --preset "$preset" -j 2 >"$log_dir/build-$preset.log" 2>&1; then
    ctest --preset "$preset" -j 2 2>&1 | tee "$log_dir/ctest-$preset.log" | grep -E "tests passed|tests failed|\*\*\*|Failed|Not Run" || true
    summary=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log_dir/ctest-$preset.log" | tail -n1)
    if [ -n "$summary" ]; then
      total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
      nfail=$(sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/' <<<"$summary")
      passed=$((passed + total - nfail))
      failed=$((failed + nfail))
    else
      step_fail "ctest $preset ran no tests"
    fi
  else
    tail -n 30 "$log_dir/configure-$preset.log" "$log_dir/build-$preset.log" 2>/dev/null
    step_fail "build $preset"
  fi
done

# ---- fuzzing (clang, libFuzzer): each target for a bounded time, see tools/fuzz.sh -----
bash tools/fuzz.sh 60 2>&1 | tee "$log_dir/fuzz.log"
fuzz=$(grep -E "^fuzz: [0-9]+ passed, [0-9]+ failed" "$log_dir/fuzz.log" | tail -n1)
if [ -n "$fuzz" ]; then
  passed=$((passed + $(sed -E 's/^fuzz: ([0-9]+) passed.*/\1/' <<<"$fuzz")))
  failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$fuzz")))
else
  step_fail "fuzzing gave no summary"
fi

# ---- Windows programs: every build must compile and link without warnings ------------
for preset in pro-x86 pro-x64 std-x64; do
  if cmake --preset "$preset" >"$log_dir/configure-$preset.log" 2>&1 &&
     cmake --build --preset "$preset" -j 2 >"$log_dir/build-$preset.log" 2>&1; then
    echo "test: build $preset ok"
    passed=$((passed + 1))
  else
    tail -n 30 "$log_dir/configure-$preset.log" "$log_dir/build-$preset.log" 2>/dev/null
    step_fail "build $preset"
  fi
done

# ---- the release zip, made from the programs above, and what it holds ------------------
bash tools/check_release.sh >"$log_dir/release.log" 2>&1
grep -E "^release: " "$log_dir/release.log"
if tail -n1 "$log_dir/release.log" | grep -q "^release: pass"; then
  passed=$((passed + 1))
else
  step_fail "release package"
fi

# ---- end-to-end under Wine -------------------------------------------------------------
if [ -f build/pro-x64/quillpadpro.exe ] && [ -f build/std-x64/quillpad.exe ]; then
  timeout 3000 /usr/bin/python3 tests/e2e/run_e2e.py 2>&1 | tee "$log_dir/e2e.log"
  e2e=$(grep -E "^e2e: [0-9]+ passed, [0-9]+ failed" "$log_dir/e2e.log" | tail -n1)
  if [ -n "$e2e" ]; then
    passed=$((passed + $(sed -E 's/^e2e: ([0-9]+) passed.*/\1/' <<<"$e2e")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$e2e")))
  else
    step_fail "end-to-end run gave no summary"
  fi
else
  step_fail "end-to-end tests need both x64 programs"
fi

# ---- soak under Wine: a shorter run than tools/soak.sh's (which takes about 32 min), same checks --
if [ -f build/pro-x64/quillpadpro.exe ]; then
  # The end-to-end run is over: its Wine prefix serves the soak too.
  QP_E2E_WORK="${QP_E2E_WORK:-$PWD/build/e2e}" timeout 1800 /usr/bin/python3 tools/soak.py --clicks 1000 \
    --switches 63 --out build/soak/short 2>&1 | tee "$log_dir/soak.log" | grep -E "^soak: "
  if grep -q "^soak: PASS" "$log_dir/soak.log"; then
    passed=$((passed + 1))
  else
    step_fail "soak (see $log_dir/soak.log and build/soak/short/)"
  fi
else
  step_fail "the soak needs the x64 Pro program"
fi

echo "test: took $(( $(date +%s) - start ))s"
echo "test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
