#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that the build and the tests
# need and that this machine does not have yet. Safe to run again and again.
set -euo pipefail

# The Windows programs are 32-bit: the i686 cross compiler (win32 threading
# variant) builds them and Wine's 32-bit half (wine32, from Debian's i386
# architecture) runs them in a 64-bit prefix, as on 64-bit Windows.
packages=(
  make cmake g++ clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick x11-utils zip unzip
  # The handheld cabinet: made by a Python script with gcab, read back by cabextract.
  python3 gcab cabextract
)

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "bootstrap: adding Debian's i386 architecture (for wine32)"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "bootstrap: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
