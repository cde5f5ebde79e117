#!/usr/bin/env bash
# Builds the release zip and checks what a user would get: the five files, each program's format
# (32-bit or 64-bit Windows GUI), that they need no DLLs beyond those Windows itself ships, the
# checksums, and that the zip's version is the one the About boxes show.
# Ends with "release: pass" or "release: FAIL (...)".
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
problems=()
problem() { problems+=("$1"); echo "release: problem: $1"; }

if ! zip_path=$(bash tools/release.sh "$work/out" | tail -n1) || [ ! -f "$zip_path" ]; then
  echo "release: FAIL (tools/release.sh made no zip)"
  exit 1
fi

# ---- the name carries the project's version ---------------------------------------------
version=$(sed -nE 's/^project\(Quillpad VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || problem "no version in CMakeLists.txt"
[ "$(basename "$zip_path")" = "quillpad-$version-windows.zip" ] ||
  problem "zip named $(basename "$zip_path"), expected quillpad-$version-windows.zip"

# ---- exactly the expected files ------------------------------------------------------------
expected="FONT-LICENSE.txt
README.txt
SHA256SUMS
quillpad.exe
quillpadpro.exe"
listed=$(zipinfo -1 "$zip_path" | LC_ALL=C sort)
[ "$listed" = "$expected" ] || problem "zip holds: $(echo $listed)"
unzip -q "$zip_path" -d "$work/x" || problem "unzip failed"
cd "$work/x" || exit 1

# ---- program formats ----------------------------------------------------------------------------
check_format() {  # file, objdump format, file(1) words, subsystem
  local exe=$1 format=$2 words=$3
  [ -f "$exe" ] || { problem "$exe missing"; return; }
  # Whole outputs first: grep -q closing a pipe early would count as a failure under pipefail.
  local header kind
  header=$(x86_64-w64-mingw32-objdump -p "$exe")
  kind=$(file -b "$exe")
  grep -q "file format $format" <<<"$header" || problem "$exe is not $format"
  grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]+\(Windows GUI\)' <<<"$header" ||
    problem "$exe is not a Windows GUI program"
  grep -q "$words" <<<"$kind" || problem "$exe: file says '$kind'"
}
check_format quillpadpro.exe pei-i386 "PE32 executable (GUI) Intel 80386"
check_format quillpad.exe pei-x86-64 "PE32+ executable (GUI) x86-64"

# ---- only DLLs that come with Windows --------------------------------------------------------------
system_dlls="advapi32 comctl32 comdlg32 gdi32 imm32 kernel32 msimg32 msvcrt ntdll oleacc ole32 oleaut32 psapi
shell32 shlwapi user32 usp10 uxtheme version winmm"
for exe in quillpadpro.exe quillpad.exe; do
  [ -f "$exe" ] || continue
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$dlls" ] || problem "$exe: no imports read"
  for dll in $dlls; do
    base=${dll%.dll}
    case " $(echo $system_dlls) " in
      *" $base "*) ;;
      *) problem "$exe imports $dll, which Windows does not ship" ;;
    esac
  done
done

# ---- checksums ------------------------------------------------------------------------------------
if [ -f SHA256SUMS ]; then
  sha256sum --quiet -c SHA256SUMS || problem "SHA256SUMS does not match the files"
  [ "$(awk '{print $2}' SHA256SUMS | LC_ALL=C sort | tr '\n' ' ')" = "FONT-LICENSE.txt README.txt quillpad.exe quillpadpro.exe " ] ||
    problem "SHA256SUMS does not cover the four files"
fi

# ---- the About boxes show the zip's version ------------------------------------------------------
# The programs keep their texts as UTF-16: read them as 16-bit little-endian strings.
for pair in "quillpadpro.exe:Quillpad Pro" "quillpad.exe:Quillpad"; do
  exe=${pair%%:*}
  line="${pair#*:} version $version"
  [ -f "$exe" ] || continue
  grep -qxF "$line" <<<"$(strings -e l "$exe")" || problem "$exe does not carry '$line'"
done

# ---- the user README and the licence -------------------------------------------------------------------
for word in /noshow keyset= quillpadpro.cfg; do
  grep -qF "$word" README.txt || problem "README.txt does not mention $word"
done
cmp -s FONT-LICENSE.txt "$repo/resources/FONT-LICENSE.txt" || problem "FONT-LICENSE.txt differs from resources/"

if [ ${#problems[@]} -eq 0 ]; then
  echo "release: pass ($(basename "$zip_path"), $(stat -c %s "$zip_path") bytes)"
else
  echo "release: FAIL (${#problems[@]} problems)"
  exit 1
fi
