#!/bin/bash
# The committed lower-case table must be exactly what the generator writes.
set -euo pipefail
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
/usr/bin/python3 tools/gen_lower_case.py "$fresh"
if ! diff -u src/base/lower_case_table.h "$fresh"; then
  echo "src/base/lower_case_table.h is out of date: run /usr/bin/python3 tools/gen_lower_case.py src/base/lower_case_table.h" >&2
  exit 1
fi
