#!/usr/bin/env bash
# make-dist.sh BUILD_DIR OUT_DIR
#
# Puts together the installation folder: setup.exe and setup.ini, the desktop
# game as QuenlarkPC.exe (copied as Quenlark.exe by the installer), readme.txt,
# featured.gif (a picture of a board in play, drawn here with ImageMagick in
# the Default theme's colours) and Quenlark.html.
set -euo pipefail

if (($# != 2)); then
  echo "usage: $0 BUILD_DIR OUT_DIR" >&2
  exit 2
fi
build=$1
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
files=$root/setup/package

setup_exe=$build/setup/setup.exe
game_exe=$build/shell/Quenlark.exe
fail() { echo "make-dist: $*" >&2; exit 1; }
[[ -f $setup_exe ]] || fail "the installer $setup_exe is missing; build it with 'make windows'"
[[ -f $game_exe ]] || fail "the desktop game $game_exe is missing; build it with 'make windows'"
command -v convert >/dev/null || fail "ImageMagick's convert is missing; run scripts/bootstrap.sh"

rm -rf "$out"
mkdir -p "$out"
cp "$setup_exe" "$out/setup.exe"
cp "$game_exe" "$out/QuenlarkPC.exe"
# Windows line ends for the text files.
for name in setup.ini readme.txt; do
  sed 's/\r*$/\r/' "$files/$name" >"$out/$name"
done
cp "$files/Quenlark.html" "$out/Quenlark.html"

# featured.gif: 20 x 12 cells of 15 pixels below the 14-pixel score strip,
# tiles 16 x 16 with black outlines sharing their border lines, some columns
# already cleared down. A fixed generator keeps the picture the same each run.
colours=("rgb(255,99,0)" "rgb(255,206,0)" "rgb(0,128,255)" "rgb(90,128,57)")
columns=20 rows=12 cell=15 top=14
seed=20261207
# next sets rnd (no subshell, so the generator state carries on).
next() { seed=$(((seed * 1103515245 + 12345) % 2147483648)); rnd=$((seed / 65536)); }
declare -A grid
draw=()
for ((k = 0; k < columns; k++)); do
  if ((k >= columns - 2)); then continue; fi      # two closed-up columns
  next
  cleared=$((rnd % 5))
  for ((r = rows - 1; r >= cleared; r--)); do
    next
    pick=$((rnd % 7))
    if ((pick >= 4 && k > 0)) && [[ -n ${grid[$((k - 1)),$r]:-} ]]; then
      c=${grid[$((k - 1)),$r]}
    elif ((pick >= 4 && r < rows - 1)); then
      c=${grid[$k,$((r + 1))]}
    else
      c=$((pick % 4))
    fi
    grid[$k,$r]=$c
    x=$((k * cell)) y=$((top + r * cell))
    draw+=(-fill "${colours[$c]}" -draw "rectangle $x,$y $((x + cell)),$((y + cell))")
  done
done
convert -size $((columns * cell + 1))x$((top + rows * cell + 1)) xc:black +antialias \
  -stroke black -strokewidth 1 "${draw[@]}" "$out/featured.gif"

echo "make-dist: $out holds:"
ls -l "$out"
