#!/usr/bin/env bash
# The committed icon and button pictures have the sizes and colour formats the program loads.
set -euo pipefail
exec /usr/bin/python3 tools/check_images.py
