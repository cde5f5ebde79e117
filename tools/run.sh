#!/usr/bin/env bash
# Builds Quillpad Pro (x64, the build that runs under Wine here) and runs it.
# Extra arguments go to the program, e.g. tools/run.sh keyset=13
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/fetch_libpng.sh
cmake --preset pro-x64 >/dev/null
cmake --build --preset pro-x64 -j 2
exec /usr/bin/python3 tools/run_pro.py "$@"
