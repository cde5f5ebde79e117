#!/usr/bin/env bash
# Builds the release package quillpad-<version>-windows.zip: the 32-bit Pro program, the 64-bit
# standard program, the font licence, the user README and SHA256SUMS.
#
# Usage: tools/release.sh [OUTPUT_DIR]   (default: build/release)
# QP_BUILD_ROOT chooses where the two builds go (default: build, as the presets do).
# Prints the zip's path as its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)
out=${1:-build/release}
root=${QP_BUILD_ROOT:-build}
mkdir -p "$out"
out=$(cd "$out" && pwd)

# The shipped builds: Pro as 32-bit x86, the standard edition as 64-bit x64.
declare -A program=([pro-x86]=quillpadpro.exe [std-x64]=quillpad.exe)
for preset in pro-x86 std-x64; do
  if ! log=$( { cmake --preset "$preset" -B "$root/$preset" && cmake --build "$root/$preset" --target quillpad; } 2>&1); then
    tail -n 20 <<<"$log" >&2
    echo "release: the $preset build failed" >&2
    exit 1
  fi
done

# The version lives only in project(... VERSION ...); both builds must have been made from it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/pro-x86/CMakeCache.txt")
other=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/std-x64/CMakeCache.txt")
if [ -z "$version" ] || [ "$version" != "$other" ]; then
  echo "release: the two builds disagree about the version ('$version', '$other')" >&2
  exit 1
fi

name="quillpad-$version-windows"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$root/pro-x86/${program[pro-x86]}" "$stage/quillpadpro.exe"
cp "$root/std-x64/${program[std-x64]}" "$stage/quillpad.exe"
cp "$src/resources/FONT-LICENSE.txt" "$stage/FONT-LICENSE.txt"
# Windows users open it with Notepad: CR LF line ends.
sed 's/\r*$/\r/' "$src/docs/USER-README.txt" >"$stage/README.txt"
(cd "$stage" && sha256sum quillpadpro.exe quillpad.exe FONT-LICENSE.txt README.txt >SHA256SUMS)

zip_path="$out/$name.zip"
rm -f "$zip_path"
(cd "$stage" && zip -q -X "$zip_path" quillpadpro.exe quillpad.exe FONT-LICENSE.txt README.txt SHA256SUMS)
echo "$zip_path"
