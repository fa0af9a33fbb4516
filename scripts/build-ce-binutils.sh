#!/usr/bin/env bash
# Builds GNU binutils 2.40 for Windows CE on ARM (--target=arm-mingw32ce) from
# Debian's own binutils source package, once, and installs it into a folder of
# the build tree:
#
#   scripts/build-ce-binutils.sh [DIR]     (default: build/ce-binutils)
#
# DIR/bin then holds arm-mingw32ce-as, -ld, -ar, -ranlib, -dlltool, -objdump,
# -windres and -strip, nothing else: only those are built. A stamp
# naming the source and the configuration marks a finished build; with it in
# place the script does nothing. Only Debian's archive is asked for anything:
# `apt-get source --download-only binutils` needs a deb-src entry in the apt
# sources, which scripts/bootstrap.sh adds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dest=$(realpath -m "${1:-$root/build/ce-binutils}")
jobs=${JOBS:-2}
version=2.40
orig=binutils_${version}.orig.tar.xz

# No debugger, simulator, profilers, gold, CTF library, plugins, translations
# or manuals; the system's zlib.
configure_flags=(
  --target=arm-mingw32ce
  --disable-nls --disable-werror --disable-gdb --disable-gdbserver --disable-sim
  --disable-gprof --disable-gold --disable-gprofng --disable-libctf --disable-plugins
  --without-zstd --with-system-zlib
  MAKEINFO=true
)
# binutils' programs the ARM build uses (and ranlib for CMake's archives;
# strip, built as strip-new, for the shipped program).
binutils_programs=(ar ranlib dlltool objdump windres strip-new)
stamp_text="binutils $version ${configure_flags[*]} ${binutils_programs[*]}"
stamp=$dest/.built

if [[ -f $stamp && $(cat "$stamp") == "$stamp_text" && -x $dest/bin/arm-mingw32ce-as ]]; then
  exit 0
fi

work=$dest/.work
# A folder of something else is left alone: only an earlier or unfinished
# build of this script is replaced.
if [[ -d $dest && -n $(ls -A "$dest") && ! -e $stamp && ! -d $work ]]; then
  echo "build-ce-binutils: $dest exists and is no binutils build of this script; not touching it" >&2
  exit 1
fi
rm -rf "$dest"
mkdir -p "$work/src"
start=$SECONDS

echo "build-ce-binutils: fetching Debian's binutils source package"
fetch() { (cd "$work/src" && apt-get source --download-only -qq binutils >/dev/null 2>&1); }
if ! fetch; then
  # The source index may never have been fetched since the deb-src entry was added.
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq || true
  if ! fetch; then
    echo "build-ce-binutils: apt-get source binutils failed; is there a deb-src entry in /etc/apt/sources.list.d/?" >&2
    exit 1
  fi
fi
if [[ ! -f $work/src/$orig ]]; then
  echo "build-ce-binutils: Debian's binutils source is not $version:" "$(ls "$work/src")" >&2
  exit 1
fi

# The upstream tarball of the source package (apt-get checked it against the
# package's signed checksums), without the test suites and the programs left out.
tar -xJf "$work/src/$orig" -C "$work/src" \
  --exclude="binutils-$version/"{gas,ld,binutils}/testsuite \
  --exclude="binutils-$version/"{gold,gprofng,gprof,zlib}

mkdir -p "$work/obj"
cd "$work/obj"
failed() {
  grep -n -B5 -A5 -E 'Error [0-9]|error:' "$1" | head -n 60 >&2
  echo "build-ce-binutils: failed; the whole log is $1" >&2
  exit 1
}
echo "build-ce-binutils: configuring for arm-mingw32ce"
# Neither optimised nor with debug information: the tools only assemble and
# link a few hundred small files, and their own build is what takes time.
# dash runs the many configure scripts faster than bash.
CONFIG_SHELL=/bin/dash /bin/dash "$work/src/binutils-$version/configure" --prefix="$dest" "${configure_flags[@]}" \
  CFLAGS=-O0 CXXFLAGS=-O0 CONFIG_SHELL=/bin/dash >"$work/configure.log" 2>&1 || failed "$work/configure.log"

echo "build-ce-binutils: building as, ld, ${binutils_programs[*]} with $jobs jobs"
# gas with the libraries it shares with ld and binutils (bfd, opcodes...),
# then ld, and binutils' programs by name in their own folder: the top-level
# targets would build all of them (ld's waits for them too). MAKEINFO=true
# on make's command line too: configure does not hand it to every folder,
# and bfd would remake its manual.
{ make -j"$jobs" MAKEINFO=true all-gas configure-ld configure-binutils &&
  make -j"$jobs" -C ld MAKEINFO=true &&
  make -j"$jobs" -C binutils MAKEINFO=true "${binutils_programs[@]}"; } >"$work/make.log" 2>&1 ||
  failed "$work/make.log"

mkdir -p "$dest/bin"
cp gas/as-new "$dest/bin/arm-mingw32ce-as"
cp ld/ld-new "$dest/bin/arm-mingw32ce-ld"
for program in "${binutils_programs[@]}"; do
  cp "binutils/$program" "$dest/bin/arm-mingw32ce-${program%-new}"
done
cd "$dest"
rm -rf "$work"
echo "$stamp_text" >"$stamp"
echo "build-ce-binutils: done in $(( (SECONDS - start) / 60 )) min $(( (SECONDS - start) % 60 )) s: $dest/bin"
