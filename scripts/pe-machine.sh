#!/bin/sh
# pe-machine.sh PROGRAM: prints the machine field of a Windows program's PE
# header in hex: 8664 (x86-64), 014c (32-bit x86), 01c0 (ARM, Windows CE).
# Nothing, and exit status 1, for a file too short to hold one.
set -eu
header=$(od -An -tu4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
[ -n "$header" ] || exit 1
machine=$(od -An -tx2 -j $((header + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
[ -n "$machine" ] || exit 1
echo "$machine"
