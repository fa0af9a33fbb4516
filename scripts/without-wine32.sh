#!/usr/bin/env bash
# without-wine32.sh COMMAND [ARGS...]: runs COMMAND where Wine's 32-bit loader
# cannot start, in a mount namespace of its own with the loader covered.
#
# wineboot gives a new prefix a 32-bit half by starting 32-bit programs; on a
# host that runs them only under emulation that takes minutes. A prefix for
# x86-64 programs alone is made in seconds this way. Where no mount namespace
# can be made (not root), COMMAND runs as it is: slower, same prefix and more.
# Wine's server must end inside COMMAND (wineserver -w), since programs it
# starts later would otherwise find no 32-bit loader either.
loader=/usr/lib/wine/wine
if [[ -e $loader ]] && unshare -m true 2>/dev/null; then
  exec unshare -m bash -c 'mount --bind /dev/null "$0" && exec "$@"' "$loader" "$@"
fi
exec "$@"
