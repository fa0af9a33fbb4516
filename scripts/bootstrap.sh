#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that the build and the tests
# need and that this machine does not have yet. Safe to run again and again.
set -euo pipefail

# The Windows programs are 32-bit: the i686 cross compiler (win32 threading
# variant) builds them and Wine's 32-bit half (wine32, from Debian's i386
# architecture) runs them in a 64-bit prefix, as on 64-bit Windows.
# The ARM Windows CE build needs of the ARM compiler only its C and C++
# headers (libnewlib-dev, libstdc++-arm-none-eabi-dev), not its ELF
# libraries, and Unicorn's Python module for the emulator.
packages=(
  make cmake g++ clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick x11-utils zip unzip
  gcc-arm-none-eabi libnewlib-dev libstdc++-arm-none-eabi-dev python3-unicorn xz-utils zlib1g-dev dash
  # The handheld cabinet: made by a Python script with gcab, read back by cabextract.
  python3 gcab cabextract
)

# A host that runs no 32-bit code (or QUENLARK_X86_64=1) runs the Wine tests on
# an x86-64 build of the same sources. Where 32-bit code cannot run, the
# shipped 32-bit programs' smoke tests run Wine's 32-bit half under qemu-user.
here=$(dirname -- "${BASH_SOURCE[0]}")
runs_32bit=1
"$here/host-runs-32bit.sh" || runs_32bit=0
if ((!runs_32bit)) || [[ ${QUENLARK_X86_64:-0} == 1 ]]; then
  packages+=(g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64)
fi
if ((!runs_32bit)); then
  packages+=(qemu-user-static)
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "bootstrap: adding Debian's i386 architecture (for wine32)"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

# The ARM Windows CE build's binutils is built from Debian's source package
# (scripts/build-ce-binutils.sh), which apt-get fetches only with a deb-src
# entry: add that type to Debian's own entries where it is missing.
update_needed=0
sources=/etc/apt/sources.list.d/debian.sources
if ! grep -qsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list $sources; then
  echo "bootstrap: adding deb-src to Debian's apt sources (binutils for the ARM build)"
  if [[ -f $sources ]]; then
    "${sudo_cmd[@]}" sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$sources"
  else
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      "${sudo_cmd[@]}" tee -a /etc/apt/sources.list >/dev/null
  fi
  update_needed=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} || update_needed)); then
  "${sudo_cmd[@]}" apt-get update -qq
fi
if ((${#missing[@]})); then
  echo "bootstrap: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Debian's qemu-user-static registers no handler for i386 programs on an amd64
# host, where the kernel would normally run them itself. On a host whose
# kernel refuses them, the handler is registered with the kernel (until the
# next reboot; nothing is written to disk), so that Wine's 32-bit half runs.
binfmt=/proc/sys/fs/binfmt_misc
if ((!runs_32bit)) && [[ ! -e $binfmt/qemu-i386 ]]; then
  echo "bootstrap: this host runs no 32-bit code; registering qemu-user for i386 programs"
  if [[ ! -e $binfmt/register ]]; then
    "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
  fi
  # The i386 ELF header (executable or shared object, machine 3) and its mask;
  # flags: P keep argv[0], O hand over the open file, C credentials of the
  # program, F the emulator opened now, so it works in any mount namespace.
  magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:POCF' "$magic" "$mask" |
    "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
fi
