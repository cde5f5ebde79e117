#!/bin/bash
# Every include under src/ points down the layers (tools/check_layers.py).
set -euo pipefail
/usr/bin/python3 tools/check_layers.py
