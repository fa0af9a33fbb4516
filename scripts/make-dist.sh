#!/usr/bin/env bash
# make-dist.sh BUILD_DIR ARM_BUILD_DIR OUT_DIR
#
# Puts together the installation folder: setup.exe and setup.ini, the desktop
# game as QuenlarkPC.exe (copied as Quenlark.exe by the installer), readme.txt,
# featured.gif (a picture of a board in play, drawn here with ImageMagick in
# the Default theme's colours), Quenlark.html and Quenlark.ARM.CAB, the
# handheld game for the device's installer, made by make-ce-cab.py from the
# Windows CE ARM build's handheld/Quenlark.EXE in ARM_BUILD_DIR; then the same
# files as one download, Quenlark-VERSION.zip, in that folder too.
#
# The programs go out without symbols and debug information. Those stay
# beside the build as PROGRAM.exe.debug (e.g. shell/Quenlark.exe.debug), which
# the shipped program names in its .gnu_debuglink section.
#
# OUT_DIR is deleted and made afresh, so it must lie below the project folder
# (after symbolic links and ".." are resolved), must not be the project folder
# itself, and an existing one must be an installation folder from an earlier
# run (it holds setup.exe) or empty.
set -euo pipefail

if (($# != 3)); then
  echo "usage: $0 BUILD_DIR ARM_BUILD_DIR OUT_DIR" >&2
  exit 2
fi
build=$1
arm_build=$2
out=$3
root=$(cd "$(dirname "$0")/.." && pwd -P)
files=$root/setup/package
fail() { echo "make-dist: $*" >&2; exit 1; }

# Where OUT_DIR really is: symbolic links followed, ".." taken physically.
target=$(realpath -m -- "$out")
if [[ $target == "$root" ]]; then
  fail "refusing to use $out as the output folder: it is the project folder itself; name a folder below it, e.g. dist"
elif [[ $target != "$root"/* ]]; then
  fail "refusing to use $out as the output folder: it is $target, outside the project folder $root; name a folder below it, e.g. dist"
elif [[ -e $target && ! -d $target ]]; then
  fail "refusing to use $out as the output folder: it is not a folder"
elif [[ -d $target && ! -e $target/setup.exe && -n $(ls -A -- "$target") ]]; then
  fail "refusing to empty $out: it is not an installation folder from an earlier run (no setup.exe in it); remove it yourself or name another folder"
fi

setup_exe=$build/setup/setup.exe
game_exe=$build/shell/Quenlark.exe
version_rc=$root/shell/resources/Quenlark.rc
[[ -f $setup_exe ]] || fail "the installer $setup_exe is missing; build it with 'make windows'"
[[ -f $game_exe ]] || fail "the desktop game $game_exe is missing; build it with 'make windows'"
arm_game_exe=$arm_build/handheld/Quenlark.EXE
[[ -f $arm_game_exe ]] || fail "the handheld game for ARM $arm_game_exe is missing; build it with 'make arm'"
command -v gcab >/dev/null || fail "gcab is missing; run scripts/bootstrap.sh"
command -v convert >/dev/null || fail "ImageMagick's convert is missing; run scripts/bootstrap.sh"
command -v zip >/dev/null || fail "zip is missing; run scripts/bootstrap.sh"
objcopy=i686-w64-mingw32-objcopy
command -v $objcopy >/dev/null || fail "$objcopy is missing; run scripts/bootstrap.sh"
# The version the game reports: PRODUCTVERSION 1,2,0,0 gives 1.2.
version=$(sed -n 's/^ *PRODUCTVERSION *\([0-9]*\) *, *\([0-9]*\).*/\1.\2/p' "$version_rc" | head -n 1)
[[ -n $version ]] || fail "no PRODUCTVERSION in $version_rc"

# ship PROGRAM NAME: PROGRAM's debug information to PROGRAM.debug, the program
# without it to OUT_DIR/NAME.
ship() {
  $objcopy --only-keep-debug "$1" "$1.debug" || fail "cannot keep the debug information of $1"
  $objcopy --strip-all --add-gnu-debuglink="$1.debug" "$1" "$target/$2" || fail "cannot strip $1"
}

# The cabinet first, so that a program it refuses leaves the folder as it was.
scratch=$(mktemp -d)
trap 'rm -rf -- "$scratch"' EXIT
/usr/bin/python3 "$root/scripts/make-ce-cab.py" "$arm_game_exe" "$scratch/Quenlark.ARM.CAB" ||
  fail "cannot make Quenlark.ARM.CAB from $arm_game_exe"

rm -rf -- "$target"
mkdir -p -- "$target"
ship "$setup_exe" setup.exe
ship "$game_exe" QuenlarkPC.exe
# Windows line ends for the text files.
for name in setup.ini readme.txt; do
  sed 's/\r*$/\r/' "$files/$name" >"$target/$name"
done
cp "$files/Quenlark.html" "$target/Quenlark.html"
mv "$scratch/Quenlark.ARM.CAB" "$target/"

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
  -stroke black -strokewidth 1 "${draw[@]}" "$target/featured.gif"

# The download: the folder's files at the top of the archive, so that
# unpacking gives setup.exe with setup.ini beside it.
(cd "$target" && zip -q -X "Quenlark-$version.zip" \
  setup.exe setup.ini QuenlarkPC.exe readme.txt featured.gif Quenlark.html Quenlark.ARM.CAB)

echo "make-dist: $out holds:"
ls -l "$target"
