#!/bin/bash
# The committed character table must be exactly what the generator writes now.
set -euo pipefail
out=$(mktemp)
trap 'rm -f "$out"' EXIT
/usr/bin/python3 tools/gen_chardata.py "$out"
if ! cmp -s "$out" src/find/char_data_generated.cpp; then
  echo "src/find/char_data_generated.cpp is stale; rerun /usr/bin/python3 tools/gen_chardata.py" >&2
  diff -u src/find/char_data_generated.cpp "$out" | head -20 >&2
  exit 1
fi
