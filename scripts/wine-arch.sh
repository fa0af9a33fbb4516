#!/usr/bin/env bash
# Which build of the Windows programs the Wine tests, `make run` and the
# timings use:
#   wine-arch.sh          prints i686 (the shipped 32-bit programs) or x86_64
#                         (an x86-64 build of the same sources)
#   wine-arch.sh --says [WHAT]
#                         prints the one line that tells a person which, and
#                         why: "Windows programs WHAT: ..." (default: under test)
#   wine-arch.sh --why    prints that line's answer alone
# The shipped 32-bit programs, unless this host runs no 32-bit code (Wine's
# 32-bit half would then run only under emulation, about 50 s per program
# start), Wine's 32-bit half is not installed (scripts/bootstrap.sh could not
# install it), or QUENLARK_X86_64=1 asks for the x86-64 path on any host.
set -u
here=$(dirname -- "${BASH_SOURCE[0]}")
if [[ ${QUENLARK_X86_64:-0} == 1 ]]; then
  arch=x86_64 why="forced with QUENLARK_X86_64=1"
elif ! "$here/host-runs-32bit.sh"; then
  arch=x86_64 why="this host runs no 32-bit code"
elif [[ ! -x ${QUENLARK_WINE32_LOADER:-/usr/lib/wine/wine} ]]; then
  arch=x86_64 why="Wine's 32-bit half could not be installed"
else
  arch=i686 why=""
fi
if [[ $arch == i686 ]]; then
  answer="32-bit, as shipped"
else
  answer="x86-64 build of the same sources: $why"
fi
case ${1:-} in
  --says) echo "Windows programs ${2:-under test}: $answer" ;;
  --why) echo "$answer" ;;
  "") echo "$arch" ;;
  *) echo "usage: wine-arch.sh [--says [WHAT] | --why]" >&2; exit 2 ;;
esac
