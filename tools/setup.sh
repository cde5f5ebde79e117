#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (apt only).
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ make pkg-config git file zip unzip
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  libz-mingw-w64-dev dpkg-dev libpng-dev
  wine wine64 xvfb xauth xdotool x11-utils imagemagick libx11-6 libxrandr2
  python3 python3-pil python3-fontforge fonttools
  fonts-dejavu-core fonts-noto-core fonts-symbola
  unicode-data unicode-cldr-core
)

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# libpng has no mingw package: its Debian source package is built for the mingw targets,
# so apt needs a deb-src entry for the same suites as the binary packages.
SRC_LIST=/etc/apt/sources.list.d/quillpad-deb-src.sources
need_update=0
if [ ! -f "$SRC_LIST" ]; then
  echo "setup: adding deb-src entry $SRC_LIST"
  $SUDO tee "$SRC_LIST" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ "$need_update" = 1 ]; then
  echo "setup: apt-get update"
  $SUDO apt-get update -qq -o Acquire::Retries=3
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
    -o Acquire::Retries=3 -o Dpkg::Use-Pty=0 "${missing[@]}" >/dev/null
fi

# 32-bit Wine only where the kernel can execute 32-bit programs at all.
if [ -x /usr/lib/wine/wine ] && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  if [ -e /usr/bin/i686-w64-mingw32-gcc ] && (echo 'int main(){return 0;}' > /tmp/qp-i386.c && gcc -m32 /tmp/qp-i386.c -o /tmp/qp-i386 2>/dev/null && /tmp/qp-i386) 2>/dev/null; then
    echo "setup: adding wine32:i386"
    $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq wine32:i386 >/dev/null
  fi
fi
echo "setup: all packages present"
