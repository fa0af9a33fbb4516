#!/usr/bin/env bash
# Which Windows programs the Wine tests run: the host's facts (FACTS, written
# by scripts/bootstrap.sh) say whether it runs 32-bit code natively as exec
# and binfmt_misc show, and the choice follows that answer unless
# QUENLARK_X86_64=1 forces the x86-64 path.
#
#   wine_arch_test.sh ROOT FACTS
set -u
root=$1 facts=$2
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; failures=$((failures + 1)); fi
}
fact() { sed -n "s/^$1 := //p" "$facts"; }
[[ -f $facts ]] || { echo "FAILED: no facts file $facts"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A plain i386 program that only exits.
printf '.globl _start\n_start: movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$work/exit.s"
as --32 -o "$work/exit.o" "$work/exit.s" && ld -m elf_i386 -o "$work/exit" "$work/exit.o" ||
  { echo "FAILED: cannot build an i386 program"; exit 1; }
starts=0
"$work/exit" 2>/dev/null && starts=1
# An enabled binfmt_misc entry for i386 programs (an emulator such as qemu-user).
emulated=0
for entry in /proc/sys/fs/binfmt_misc/*; do
  [[ -f $entry && ${entry##*/} != register && ${entry##*/} != status ]] || continue
  [[ $(head -n 1 "$entry") == enabled ]] || continue
  grep -q '^magic 7f454c460101010000000000000000000[23]000300' "$entry" && emulated=1
done

if [[ $(fact HOST_RUNS_32BIT) == yes ]]; then
  check "native: an i386 program starts" test "$starts" = 1
  check "native: no emulator stands in for the kernel" test "$emulated" = 0
  if [[ -x /usr/lib/wine/wine ]]; then
    answer=i686 says="Windows programs under test: 32-bit, as shipped"
  else
    answer=x86_64 says="Windows programs under test: x86-64 build of the same sources: Wine's 32-bit half could not be installed"
  fi
else
  check "not native: an i386 program starts only through an emulator" test "$starts" = 0 -o "$emulated" = 1
  answer=x86_64 says="Windows programs under test: x86-64 build of the same sources: this host runs no 32-bit code"
fi
if [[ $(fact HOST_FORCED) == 1 ]]; then
  answer=x86_64 says="Windows programs under test: x86-64 build of the same sources: forced with QUENLARK_X86_64=1"
fi
check "the choice follows the host" test "$(fact HOST_WINE_ARCH)" = "$answer"
check "the line says it" test "Windows programs under test: $(fact HOST_WINE_WHY)" = "$says"
check "Wine's 32-bit half is installed where its loader is" \
  test "$(fact HOST_WINE32)" = "$([[ -x /usr/lib/wine/wine ]] && echo installed)"

# The rule itself, for the hosts this one is not.
source "$root/scripts/bootstrap.sh"
QUENLARK_X86_64=0 choose_wine_arch yes ""
check "without Wine's 32-bit half the x86-64 build runs" test \
  "$wine_arch: $wine_why" = "x86_64: x86-64 build of the same sources: Wine's 32-bit half could not be installed"
QUENLARK_X86_64=0 choose_wine_arch no installed
check "on a host without 32-bit code the x86-64 build runs" test \
  "$wine_arch: $wine_why" = "x86_64: x86-64 build of the same sources: this host runs no 32-bit code"
QUENLARK_X86_64=1 choose_wine_arch yes installed
check "the switch forces x86-64" test "$wine_arch" = x86_64
check "the line names the switch" test "$wine_why" = "x86-64 build of the same sources: forced with QUENLARK_X86_64=1"

((failures == 0)) && echo "wine-arch: all checks passed"
exit $((failures != 0))
