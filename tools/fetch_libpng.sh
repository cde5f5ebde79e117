#!/usr/bin/env bash
# Puts Debian's libpng source into the build tree (default build/_deps/libpng), once.
# libpng has no mingw package in Debian, so the programs build it from this source.
set -euo pipefail
dest=${1:-"$(cd "$(dirname "$0")/.." && pwd)/build/_deps/libpng"}
if [ -f "$dest/png.c" ] && [ -f "$dest/scripts/pnglibconf.h.prebuilt" ]; then exit 0; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
echo "fetch_libpng: apt-get source libpng1.6"
apt-get source -qq libpng1.6 >/dev/null 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
src=$(find "$work" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1)
[ -n "$src" ] && [ -f "$src/png.c" ] || { echo "fetch_libpng: no libpng source unpacked" >&2; exit 1; }
mkdir -p "$(dirname "$dest")"
rm -rf "$dest.tmp" && cp -a "$src" "$dest.tmp" && rm -rf "$dest" && mv "$dest.tmp" "$dest"
echo "fetch_libpng: libpng source in $dest"
