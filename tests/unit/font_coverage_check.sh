#!/usr/bin/env bash
# The committed private font covers every key and is named and sized for GDI.
set -euo pipefail
exec /usr/bin/python3 tools/check_font.py resources/TarselSans-Bold.ttf
