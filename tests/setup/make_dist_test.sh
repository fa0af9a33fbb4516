#!/usr/bin/env bash
# make-dist.sh against a stand-in build of two small Windows programs with
# debug information and a stand-in ARM program: the installation folder it
# lays out, the programs shipped without their debug information, the
# handheld cabinet as cabextract reads it, the download made of the folder,
# and the output folders it refuses. The script runs from a scratch copy of the
# project's files it uses, so that an output folder it fails to refuse costs
# nothing but scratch files.
set -uo pipefail
source_root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; failures=$((failures + 1)); fi
}

project=$work/project
mkdir -p "$project/scripts" "$project/setup" "$project/shell/resources"
cp "$source_root/scripts/make-dist.sh" "$source_root/scripts/make-ce-cab.py" "$project/scripts/"
cp -r "$source_root/setup/package" "$project/setup/"
cp "$source_root/shell/resources/Quenlark.rc" "$project/shell/resources/"
make_dist=$project/scripts/make-dist.sh

build=$work/build
mkdir -p "$build/setup" "$build/shell"
cc=i686-w64-mingw32-gcc-win32
objdump=i686-w64-mingw32-objdump
objcopy=i686-w64-mingw32-objcopy
stand_in() {  # stand_in NAME EXE: a small program with debug information
  printf 'const char* name = "%s";\nint main(void) { return name[0] == 0; }\n' "$1" >"$work/$1.c"
  "$cc" -g -o "$2" "$work/$1.c"
}
stand_in installer "$build/setup/setup.exe" || { echo "FAILED: cannot build a stand-in program"; exit 1; }
debug_sections() { "$objdump" -h "$1" | grep -c ' \.debug_'; }
check "stand-in programs carry debug information" test "$(debug_sections "$build/setup/setup.exe")" -gt 0

arm=$work/arm-build
mkdir -p "$arm/handheld"
arm_exe=$arm/handheld/Quenlark.EXE

# Without a game: a clear message and a failing status.
fails_saying() {  # fails_saying DESCRIPTION MESSAGE
  if "$make_dist" "$build" "$arm" "$project/dist" >/dev/null 2>"$work/err"; then
    echo "FAILED: $1: make-dist succeeded"; failures=$((failures + 1))
  fi
  check "$1: message says \"$2\"" grep -q "$2" "$work/err"
}
fails_saying "no desktop game" "shell/Quenlark.exe is missing"
stand_in game "$build/shell/Quenlark.exe"
fails_saying "no ARM game" "handheld/Quenlark.EXE is missing"
cp "$build/shell/Quenlark.exe" "$arm_exe"
fails_saying "an x86 program as the ARM game" "is not an ARM program"

# The ARM game's stand-in: a PE header for ARM (machine 0x01C0), then bytes
# that must come back unchanged from the cabinet.
{ printf 'MZ'; head -c 58 /dev/zero; printf '\x40\0\0\0PE\0\0\xc0\x01'; head -c 65536 /dev/urandom; } >"$arm_exe"
check "make-dist runs" "$make_dist" "$build" "$arm" "$project/dist" >/dev/null
dist=$project/dist
shipped=(setup.exe setup.ini QuenlarkPC.exe readme.txt featured.gif Quenlark.html Quenlark.ARM.CAB)
for f in "${shipped[@]}"; do
  check "$f is there" test -s "$dist/$f"
done

# The programs: the same code, no debug information or symbols; those stay
# beside the build, named in the program.
text_of() { "$objcopy" -O binary --only-section=.text "$1" "$2"; }
for pair in setup/setup.exe:setup.exe shell/Quenlark.exe:QuenlarkPC.exe; do
  built=$build/${pair%%:*} name=${pair#*:}
  text_of "$built" "$work/built.text"
  text_of "$dist/$name" "$work/shipped.text"
  check "$name has the code of ${pair%%:*}" cmp -s "$work/built.text" "$work/shipped.text"
  check "$name has no debug information" test "$(debug_sections "$dist/$name")" = 0
  check "$name has no symbol table" \
    test "$("$objdump" -t "$dist/$name" | grep -c '^\[')" = 0
  check "$(basename "$built").debug keeps the debug information" \
    test "$(debug_sections "$built.debug")" -gt 0
  "$objcopy" --dump-section .gnu_debuglink="$work/link" "$dist/$name" "$work/discard"
  check "$name names its debug file" grep -qaF "$(basename "$built").debug" "$work/link"
done

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

# The handheld cabinet: the CE setup file first, then the program as file 1,
# unchanged; the setup file installs it as Quenlark.EXE into a folder of its
# own under the device's program files, links it from the Start menu's
# programs, and asks for a StrongARM with CE 3.0 or later. The device lists
# it for removal as provider and application name, which setup.ini's
# Uninstall line must name. Its strings are padded and its link is a .lnk
# file, as device-tested cabinet writers make them.
cab=$dist/Quenlark.ARM.CAB
cabextract -l "$cab" >"$work/cab-list" 2>&1
check "cabextract lists the cabinet" grep -q "All done, no errors" "$work/cab-list"
check "the cabinet holds the setup file, then file 1" \
  test "$(grep -oE '\.[0-9]{3}$' "$work/cab-list" | paste -sd' ')" = ".000 .001"
mkdir "$work/cab"
check "cabextract extracts the cabinet" cabextract -q -d "$work/cab" "$cab"
check "file 1 is the ARM game, byte for byte" cmp -s "$arm_exe" "$work/cab/"*.001
/usr/bin/python3 "$source_root/tests/setup/describe_ce_setup.py" "$work/cab/"*.000 >"$work/setup-file" 2>&1
for fact in "processor 2577" "CE from 3.0 to 0.0" "application Quenlark" "provider Zandravex" \
    'folder 1 %CE1%\Quenlark' 'file 1 Quenlark.EXE into %CE1%\Quenlark' 'link %CE11%\Quenlark.lnk to file 1' \
    "strings padded to 4 bytes"; do
  check "setup file says \"$fact\"" grep -qxF "$fact" "$work/setup-file"
done
check "setup file's length is its own" grep -qxE 'length ([0-9]+) of \1' "$work/setup-file"
removal_name="$(sed -n 's/^provider //p' "$work/setup-file") $(sed -n 's/^application //p' "$work/setup-file")"
check "setup.ini's Uninstall names \"$removal_name\", as the device lists the game" \
  grep -qxF "Uninstall    = $removal_name"$'\r' "$dist/setup.ini"

# The download, named after the game's version: exactly the folder's files,
# at its top.
zip=$dist/Quenlark-1.2.zip
check "download is there" test -s "$zip"
check "download holds the seven files at its top" test "$(unzip -Z1 "$zip" | sort)" = \
  "$(printf '%s\n' "${shipped[@]}" | sort)"
mkdir "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked"
for f in "${shipped[@]}"; do
  check "download's $f is the folder's" cmp -s "$dist/$f" "$work/unpacked/$f"
done

# A second run replaces the folder.
printf 'stale' >"$dist/stale.txt"
check "second run" "$make_dist" "$build" "$arm" "$dist" >/dev/null
check "second run starts afresh" test ! -e "$dist/stale.txt"

# Output folders it refuses, each with a message that says why, and leaving
# every file where it was. A sentinel file stands in each folder that a wrong
# removal would take.
outside=$work/outside
mkdir -p "$outside/inner"
ln -s "$outside" "$project/link-out"
for folder in "$project" "$outside" "$project/setup"; do
  printf 'keep' >"$folder/sentinel.txt"
done
refused() {  # refused DESCRIPTION MESSAGE OUT_DIR [DIRECTORY TO RUN IN]
  local what=$1 message=$2 out=$3 at=${4:-$work}
  if (cd "$at" && "$make_dist" "$build" "$arm" "$out") >/dev/null 2>"$work/err"; then
    echo "FAILED: $what: make-dist accepted $out"; failures=$((failures + 1))
  fi
  check "$what: message says \"$message\"" grep -q "$message" "$work/err"
}
refused "folder outside the project" "outside the project" "$outside"
refused "folder outside the project, by a relative path" "outside the project" outside
refused "climbing out with .." "outside the project" "$project/dist/../../outside"
refused "symbolic link out of the project" "outside the project" "$project/link-out"
refused "folder below a link out of the project" "outside the project" "$project/link-out/inner"
refused "project folder" "project folder itself" "$project"
refused "project folder, as ." "project folder itself" . "$project"
refused "project folder, through .." "project folder itself" "$project/setup/.."
refused "project folder, by a link to it" "project folder itself" "$project/link-out/../project"
refused "folder of the project's sources" "not an installation folder" "$project/setup"
refused "a file" "not a folder" "$project/setup/package/readme.txt"
check "nothing outside the project removed" test -f "$outside/sentinel.txt" -a -d "$outside/inner"
check "nothing of the project removed" test -f "$project/sentinel.txt" -a -f "$make_dist" \
  -a -f "$project/setup/sentinel.txt" -a -f "$project/setup/package/readme.txt" -a -f "$dist/setup.exe"

((failures == 0)) && echo "make-dist: all checks passed"
exit $((failures > 0))
