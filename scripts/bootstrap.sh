#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that the build and the tests
# need and that this machine does not have yet, and keeps the host's facts for
# the Makefile. Safe to run again and again.
#
#   bootstrap.sh [--facts FILE]
#
# FILE (the Makefile's build/host.mk) says in make's syntax whether the host
# runs 32-bit code (HOST_RUNS_32BIT, from scripts/host-runs-32bit.sh), which
# Windows programs the Wine tests and `make run` use (HOST_WINE_ARCH: i686,
# the shipped 32-bit programs, or x86_64, an x86-64 build of the same sources;
# HOST_WINE_WHY: the answer in words) and which stages have their packages
# (HOST_WINDOWS, HOST_WINE32, HOST_ARM: "installed" or empty). While the file
# is newer than the last package install and than these scripts, was made with
# the same QUENLARK_X86_64 and names every group installed, nothing is done;
# otherwise the missing groups are installed and the file is written again.
# The probe runs only when the file is missing or older than the probe.
#
# A package source can misbehave (an index served with the wrong size for
# minutes on end): an index that cannot be fetched is named and left out, and
# a group that cannot be installed is named with apt's reason while the other
# groups go on. Only the native group stops everything, since every build
# needs it.

here=$(dirname -- "${BASH_SOURCE[0]}")

# native: the native build, its tests and benchmarks, and the host compiler
# the ARM binutils are built with.
native=(make cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
        python3 dash xz-utils zlib1g-dev)
# windows: the cross compiler of the shipped 32-bit programs (win32 threading
# variant) and Wine with what its tests look through.
windows=(g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
         wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils zip unzip)
# windows-x86-64: the x86-64 build of the same sources, for the x86-64 path.
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

# choose_wine_arch RUNS_32BIT WINE32: sets wine_arch and wine_why. The shipped
# 32-bit programs, unless QUENLARK_X86_64=1 asks for the x86-64 path on any
# host, the host runs no 32-bit code (RUNS_32BIT is not "yes"; Wine's 32-bit
# half would run only under emulation, about 50 s per program start), or
# Wine's 32-bit half could not be installed (WINE32 is not "installed").
choose_wine_arch() {
  wine_arch=x86_64
  if [[ ${QUENLARK_X86_64:-0} == 1 ]]; then
    wine_why="x86-64 build of the same sources: forced with QUENLARK_X86_64=1"
  elif [[ $1 != yes ]]; then
    wine_why="x86-64 build of the same sources: this host runs no 32-bit code"
  elif [[ $2 != installed ]]; then
    wine_why="x86-64 build of the same sources: Wine's 32-bit half could not be installed"
  else
    wine_arch=i686 wine_why="32-bit, as shipped"
  fi
}

fact() {  # fact NAME: its value in the facts file
  sed -n "s/^$1 := //p" "$facts" 2>/dev/null
}
facts_fresh() {
  [[ -f $facts && $facts -nt /var/lib/dpkg/status && $facts -nt ${BASH_SOURCE[0]} &&
     $facts -nt $here/host-runs-32bit.sh && $(fact HOST_FORCED) == "${QUENLARK_X86_64:-0}" ]]
}

write_facts() {
  local g windows_ok=installed wine32_ok= arm_ok=
  installed "${wine32[@]}" && wine32_ok=installed
  installed "${arm[@]}" && arm_ok=installed
  choose_wine_arch "$runs_32bit" "$wine32_ok"
  installed "${windows[@]}" || windows_ok=
  [[ $wine_arch == i686 ]] || installed "${windows_x86_64[@]}" || windows_ok=
  mkdir -p "$(dirname -- "$facts")"
  cat >"$facts.new" <<EOF
# The host's facts, written by scripts/bootstrap.sh; read by the Makefile.
HOST_RUNS_32BIT := $runs_32bit
HOST_FORCED := ${QUENLARK_X86_64:-0}
HOST_WINE_ARCH := $wine_arch
HOST_WINE_WHY := $wine_why
HOST_WINDOWS := $windows_ok
HOST_WINE32 := $wine32_ok
HOST_ARM := $arm_ok
EOF
  mv "$facts.new" "$facts"
}

main() {
  set -euo pipefail
  facts=
  case ${1:-} in
    --facts) facts=${2:?usage: bootstrap.sh [--facts FILE]} ;;
    "") ;;
    *) echo "usage: bootstrap.sh [--facts FILE]" >&2; exit 2 ;;
  esac
  if [[ -n $facts ]] && facts_fresh && [[ -n $(fact HOST_WINDOWS) && -n $(fact HOST_WINE32) && -n $(fact HOST_ARM) ]]; then
    exit 0
  fi

  runs_32bit=
  [[ -n $facts && $facts -nt $here/host-runs-32bit.sh ]] && runs_32bit=$(fact HOST_RUNS_32BIT)
  if [[ -z $runs_32bit ]]; then
    runs_32bit=yes
    "$here/host-runs-32bit.sh" || runs_32bit=no
  fi

  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  apt_get() { DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o Acquire::Retries=3 "$@"; }

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

  if ((update_needed)) || ! installed "${native[@]}" "${windows[@]}" "${wine32[@]}" "${arm[@]}"; then
    # apt keeps every index it fetched when another fails; each failure is
    # named in one line and the install goes on with the rest.
    if ! log=$(apt_get update -qq 2>&1); then
      grep -E '^[EW]: Failed to fetch' <<<"$log" | while read -r _ _ _ _ url reason; do
        echo "bootstrap: package index not fetched, going on without it: $url (${reason%% \[IP*})"
      done
      grep -qE '^[EW]: Failed to fetch' <<<"$log" || { echo "$log" >&2; echo "bootstrap: apt-get update failed" >&2; }
    fi
  fi

  failed_groups=()
  install_group() {  # install_group NAME PACKAGE...: 0 when all are installed
    local name=$1 missing=() p out reason depends
    shift
    for p in "$@"; do installed "$p" || missing+=("$p"); done
    ((${#missing[@]})) || return 0
    echo "bootstrap: installing $name: ${missing[*]}"
    if ! out=$(apt_get install -y -qq --no-install-recommends "${missing[@]}" 2>&1); then
      reason=$(grep -E '^E: ' <<<"$out" | tail -n 1)
      depends=$(grep -E ' : (Pre)?Depends: ' <<<"$out" | head -n 1 | sed -E 's/^ +//')
      echo "bootstrap: group '$name' could not be installed: ${reason#E: }${depends:+ ($depends)}"
      failed_groups+=("$name")
      return 1
    fi
  }

  install_group native "${native[@]}" ||
    { echo "bootstrap: stopping: the native build's packages are needed by every build and test" >&2; exit 1; }
  install_group windows "${windows[@]}" || true
  wine32_ok=installed
  install_group wine32 "${wine32[@]}" || wine32_ok=
  choose_wine_arch "$runs_32bit" "$wine32_ok"
  if [[ $wine_arch == x86_64 ]]; then
    install_group windows-x86-64 "${windows_x86_64[@]}" || true
  fi
  if [[ $runs_32bit != yes ]]; then
    install_group qemu-user qemu-user-static || true
  fi
  install_group arm "${arm[@]}" || true

  # Debian's qemu-user-static registers no handler for i386 programs on an
  # amd64 host, where the kernel would normally run them itself. On a host
  # whose kernel refuses them, the handler is registered with the kernel (until
  # the next reboot; nothing is written to disk), so that Wine's 32-bit half
  # runs.
  binfmt=/proc/sys/fs/binfmt_misc
  if [[ $runs_32bit != yes && -n $wine32_ok && -x /usr/bin/qemu-i386-static && ! -e $binfmt/qemu-i386 ]]; then
    echo "bootstrap: this host runs no 32-bit code; registering qemu-user for i386 programs"
    if [[ ! -e $binfmt/register ]]; then
      "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
    fi
    # The i386 ELF header (executable or shared object, machine 3) and its
    # mask; flags: P keep argv[0], O hand over the open file, C credentials of
    # the program, F the emulator opened now, so it works in any mount
    # namespace.
    magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:POCF' "$magic" "$mask" |
      "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
  fi
  if ((${#failed_groups[@]})); then
    echo "bootstrap: not installed: ${failed_groups[*]}; what needs them is reported as not run"
  fi
  if [[ -n $facts ]]; then
    write_facts
  fi
}

# Sourced (by tests/scripts/wine_arch_test.sh), it only defines the functions.
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  main "$@"
fi
