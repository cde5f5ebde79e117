#!/usr/bin/env bash
# Builds what the benchmarks need and runs them: start-up, key-set switches, click to text,
# memory and sizes under Wine against a minimal Win32 program, then the core's micro-benchmarks.
# Writes build/bench/results.md and prints it. Extra arguments go to tools/bench.py
# (--start-runs N, --passes N, --runs N, --out FILE). QP_BUILD_ROOT and QP_E2E_WORK move the builds and the
# Wine work folder elsewhere, as for the end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/fetch_libpng.sh
root="${QP_BUILD_ROOT:-$PWD/build}"
for preset in pro-x64 std-x64 pro-x86; do
  cmake --preset "$preset" -B "$root/$preset" >/dev/null
  cmake --build "$root/$preset" -j 2
done
# The micro-benchmarks want an optimised core; the native preset is a debug build for the tests.
cmake -S . -B "$root/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/bench-native" -j 2 --target micro_bench
export QP_BUILD_ROOT="$root"
exec timeout 900 /usr/bin/python3 tools/bench.py --micro "$root/bench-native/micro_bench" "$@"
