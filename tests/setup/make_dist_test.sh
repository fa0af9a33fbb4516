#!/usr/bin/env bash
# make-dist.sh against a stand-in build folder: it refuses without the desktop
# game, and otherwise lays out the whole installation folder.
set -uo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; failures=$((failures + 1)); fi
}

build=$work/build
mkdir -p "$build/setup" "$build/shell"
printf 'MZ installer' >"$build/setup/setup.exe"

# Without the game: a clear message and a failing status.
if "$root/scripts/make-dist.sh" "$build" "$work/dist" 2>"$work/err"; then
  echo "FAILED: make-dist succeeded without Quenlark.exe"; failures=$((failures + 1))
fi
check "message names the missing game" grep -q "shell/Quenlark.exe is missing" "$work/err"

printf 'MZ desktop game' >"$build/shell/Quenlark.exe"
check "make-dist runs" "$root/scripts/make-dist.sh" "$build" "$work/dist" >/dev/null
dist=$work/dist
for f in setup.exe setup.ini QuenlarkPC.exe readme.txt featured.gif Quenlark.html; do
  check "$f is there" test -s "$dist/$f"
done
check "game copied as QuenlarkPC.exe" cmp -s "$build/shell/Quenlark.exe" "$dist/QuenlarkPC.exe"
check "installer copied" cmp -s "$build/setup/setup.exe" "$dist/setup.exe"
check "setup.ini has Windows line ends" grep -q $'^filename=Quenlark.exe\r$' "$dist/setup.ini"
check "readme has Windows line ends" grep -q $'^How to play\r$' "$dist/readme.txt"
check "no bare line feeds in readme" test "$(grep -c $'[^\r]$' "$dist/readme.txt")" = 0
check "setup.ini names the component" grep -qi $'^component *= *Quenlark\r$' "$dist/setup.ini"
check "setup.ini names the desktop program" grep -q $'^desktop=QuenlarkPC.exe\r$' "$dist/setup.ini"
check "featured.gif is a GIF of a board" \
  test "$(identify -format '%m %w %h' "$dist/featured.gif")" = "GIF 301 195"
check "featured.gif shows the four Default colours" test "$(convert "$dist/featured.gif" \
  -format %c histogram:info:- | grep -cE '#FF6300|#FFCE00|#0080FF|#5A8039')" = 4
check "page shows the picture" grep -q 'src="featured.gif"' "$dist/Quenlark.html"

# A second run replaces the folder.
printf 'stale' >"$dist/stale.txt"
check "second run" "$root/scripts/make-dist.sh" "$build" "$dist" >/dev/null
check "second run starts afresh" test ! -e "$dist/stale.txt"

((failures == 0)) && echo "make-dist: all checks passed"
exit $((failures > 0))
