#!/bin/bash
# The committed key set tables must be exactly what the generator writes now.
set -euo pipefail
out=$(mktemp)
trap 'rm -f "$out"' EXIT
/usr/bin/python3 tools/gen_keysets.py "$out"
if ! cmp -s "$out" src/keysets/keyset_data_generated.cpp; then
  echo "src/keysets/keyset_data_generated.cpp is stale; rerun /usr/bin/python3 tools/gen_keysets.py" >&2
  diff -u src/keysets/keyset_data_generated.cpp "$out" | head -40 >&2
  exit 1
fi
