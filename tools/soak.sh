#!/usr/bin/env bash
# Builds what the soak needs (the x64 Pro program, the driver and the target) and runs the long
# soak under Wine: key clicks typed into a target program and key-set changes through the
# settings window, sampling the program's GDI objects, USER objects and private memory.
# Writes build/soak/soak.csv and build/soak/summary.md and ends with "soak: PASS ..." or
# "soak: FAIL ...". Arguments go to tools/soak.py: --clicks N (default 5000), --switches M
# (default 300), --out DIR. QP_BUILD_ROOT and QP_E2E_WORK move the builds and the Wine work
# folder elsewhere, as for the end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/fetch_libpng.sh
root="${QP_BUILD_ROOT:-$PWD/build}"
cmake --preset pro-x64 -B "$root/pro-x64" >/dev/null
cmake --build "$root/pro-x64" -j 2
export QP_BUILD_ROOT="$root"
exec /usr/bin/python3 tools/soak.py "$@"
