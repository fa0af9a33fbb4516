#!/usr/bin/env bash
# Which Windows programs the Wine tests run: the host's answer to "does it run
# 32-bit code natively" agrees with what exec and binfmt_misc show, and the
# choice follows that answer unless QUENLARK_X86_64=1 forces the x86-64 path.
set -u
root=$1
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; failures=$((failures + 1)); fi
}
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

if "$root/scripts/host-runs-32bit.sh"; then
  check "native: an i386 program starts" test "$starts" = 1
  check "native: no emulator stands in for the kernel" test "$emulated" = 0
  if [[ -x /usr/lib/wine/wine ]]; then
    answer=i686 says="Windows programs under test: 32-bit, as shipped"
  else
    answer=x86_64 says="Windows programs under test: x86-64 build of the same sources: Wine's 32-bit half could not be installed"
  fi
  check "without Wine's 32-bit loader the x86-64 build runs" test \
    "$(QUENLARK_X86_64=0 QUENLARK_WINE32_LOADER=/nonexistent "$root/scripts/wine-arch.sh" --says)" = \
    "Windows programs under test: x86-64 build of the same sources: Wine's 32-bit half could not be installed"
else
  check "not native: an i386 program starts only through an emulator" test "$starts" = 0 -o "$emulated" = 1
  answer=x86_64 says="Windows programs under test: x86-64 build of the same sources: this host runs no 32-bit code"
fi
check "the choice follows the host" test "$(QUENLARK_X86_64=0 "$root/scripts/wine-arch.sh")" = "$answer"
check "the line says it" test "$(QUENLARK_X86_64=0 "$root/scripts/wine-arch.sh" --says)" = "$says"
check "the Makefile's answer is the line's" test \
  "Windows programs under test: $(QUENLARK_X86_64=0 "$root/scripts/wine-arch.sh" --why)" = "$says"
check "the switch forces x86-64" test "$(QUENLARK_X86_64=1 "$root/scripts/wine-arch.sh")" = x86_64
check "the line names the switch" test "$(QUENLARK_X86_64=1 "$root/scripts/wine-arch.sh" --says)" = \
  "Windows programs under test: x86-64 build of the same sources: forced with QUENLARK_X86_64=1"

((failures == 0)) && echo "wine-arch: all checks passed"
exit $((failures != 0))
