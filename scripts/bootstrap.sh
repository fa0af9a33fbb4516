#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that the build and the tests
# need and that this machine does not have yet. Safe to run again and again.
#
#   bootstrap.sh              install what is missing, group by group
#   bootstrap.sh --has GROUP  exit 0 when every package of GROUP is installed
#
# A package source can misbehave (an index served with the wrong size for
# minutes on end): an index that cannot be fetched is named and left out, and
# a group that cannot be installed is named with apt's reason while the other
# groups go on. Only the native group stops everything, since every build
# needs it.
set -euo pipefail

here=$(dirname -- "${BASH_SOURCE[0]}")

# native: the native build, its tests and benchmarks, and the host compiler
# the ARM binutils are built with.
native=(make cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
        python3 dash xz-utils zlib1g-dev)
# windows: the cross compiler of the shipped 32-bit programs (win32 threading
# variant) and Wine with what its tests look through.
windows=(g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
         wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils zip unzip)
# windows-x86-64: the x86-64 build of the same sources, for a host or a
# machine where the 32-bit programs cannot run at full speed; qemu-user where
# the host runs no 32-bit code, so that Wine's 32-bit half still runs.
windows_x86_64=(g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64)
# wine32: Wine's 32-bit half, from Debian's i386 architecture; it runs the
# 32-bit programs in a 64-bit prefix, as on 64-bit Windows.
wine32=(wine32:i386)
# arm: of the ARM compiler only its C and C++ headers are used, not its ELF
# libraries; Unicorn's Python module for the emulator; gcab and cabextract
# for the handheld cabinet.
arm=(gcc-arm-none-eabi libnewlib-dev libstdc++-arm-none-eabi-dev python3-unicorn gcab cabextract)

installed() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || return 1
  done
}

group_packages() {  # group_packages NAME: the group's packages, one per line
  case $1 in
    native) printf '%s\n' "${native[@]}" ;;
    windows) printf '%s\n' "${windows[@]}" ;;
    windows-x86-64) printf '%s\n' "${windows_x86_64[@]}" ;;
    wine32) printf '%s\n' "${wine32[@]}" ;;
    arm) printf '%s\n' "${arm[@]}" ;;
    *) echo "bootstrap: no group '$1'" >&2; return 2 ;;
  esac
}

if [[ ${1:-} == --has ]]; then
  mapfile -t wanted < <(group_packages "${2:?usage: bootstrap.sh --has GROUP}")
  installed "${wanted[@]}"
  exit
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
apt_get() { DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o Acquire::Retries=3 "$@"; }

runs_32bit=1
"$here/host-runs-32bit.sh" || runs_32bit=0

update_needed=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "bootstrap: adding Debian's i386 architecture (for wine32)"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  update_needed=1
fi

# The ARM Windows CE build's binutils is built from Debian's source package
# (scripts/build-ce-binutils.sh), which apt-get fetches only with a deb-src
# entry: add that type to Debian's own entries where it is missing.
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

groups=(native windows wine32 arm)
missing_any=0
for g in "${groups[@]}"; do
  mapfile -t wanted < <(group_packages "$g")
  installed "${wanted[@]}" || missing_any=1
done

# apt keeps every index it fetched when another fails; each failure is named
# in one line and the install goes on with the rest.
if ((missing_any || update_needed)); then
  if ! log=$(apt_get update -qq 2>&1); then
    grep -E '^[EW]: Failed to fetch' <<<"$log" | while read -r _ _ _ _ url reason; do
      echo "bootstrap: package index not fetched, going on without it: $url (${reason%% \[IP*})"
    done
    grep -qE '^[EW]: Failed to fetch' <<<"$log" || { echo "$log" >&2; echo "bootstrap: apt-get update failed" >&2; }
  fi
fi

failed_groups=()
install_group() {  # install_group NAME PACKAGE...: 0 when all are installed
  local name=$1 missing=() p out
  shift
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  ((${#missing[@]})) || return 0
  echo "bootstrap: installing $name: ${missing[*]}"
  if ! out=$(apt_get install -y -qq --no-install-recommends "${missing[@]}" 2>&1); then
    local reason
    reason=$(grep -E '^E: ' <<<"$out" | tail -n 1)
    local depends
    depends=$(grep -E ' : (Pre)?Depends: ' <<<"$out" | head -n 1 | sed -E 's/^ +//')
    echo "bootstrap: group '$name' could not be installed: ${reason#E: }${depends:+ ($depends)}"
    failed_groups+=("$name")
    return 1
  fi
}

install_group native "${native[@]}" ||
  { echo "bootstrap: stopping: the native build's packages are needed by every build and test" >&2; exit 1; }
install_group windows "${windows[@]}" || true
wine32_ok=1
install_group wine32 "${wine32[@]}" || wine32_ok=0
# The x86-64 build: where 32-bit code does not run natively, where Wine's
# 32-bit half is missing, or where QUENLARK_X86_64=1 asks for it.
if ((!runs_32bit || !wine32_ok)) || [[ ${QUENLARK_X86_64:-0} == 1 ]]; then
  install_group windows-x86-64 "${windows_x86_64[@]}" || true
fi
if ((!runs_32bit)); then
  install_group qemu-user qemu-user-static || true
fi
install_group arm "${arm[@]}" || true

# Debian's qemu-user-static registers no handler for i386 programs on an amd64
# host, where the kernel would normally run them itself. On a host whose
# kernel refuses them, the handler is registered with the kernel (until the
# next reboot; nothing is written to disk), so that Wine's 32-bit half runs.
binfmt=/proc/sys/fs/binfmt_misc
if ((!runs_32bit && wine32_ok)) && [[ -x /usr/bin/qemu-i386-static && ! -e $binfmt/qemu-i386 ]]; then
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
if ((${#failed_groups[@]})); then
  echo "bootstrap: not installed: ${failed_groups[*]}; what needs them is reported as not run"
fi
exit 0
