#!/usr/bin/env bash
# Times the desktop game under Wine (bench/wine/wine_bench.cpp) for the view
# client areas 600x414, 1920x1040 and 3840x2100, each in its own Wine session.
#
#   scripts/wine-bench.sh [BUILD_DIR] [CLIENT_AREA...]
#
# BUILD_DIR defaults to the Wine build of the host's facts (build/host.mk,
# HOST_WINE_ARCH): build/windows (the shipped 32-bit programs) or
# build/windows-x86_64. Its programs' architecture is QUENLARK_WINE_ARCH
# (`cmake --build BUILD --target wine-bench` sets it), else the build's own
# cache entry of that name.
#
# BENCH_CLICKS, BENCH_REDRAWS and BENCH_STARTS (default 200, 40 and 5) set how
# many clicks, whole-board redraws of each kind (theme change, tile-style
# change, New Game) and program starts each client area is timed with;
# start-up figures need more starts than the default to settle on a loaded
# machine. BENCH_BEFORE=path/to/Quenlark.exe times an earlier build of the game
# in the same sessions, alternating with this one ("before" and "after" lines).
#
# The board takes its size from the view's first paint, so the view must have
# the wanted size from the start. Windows created with CW_USEDEFAULT get three
# quarters of Wine's virtual desktop; one run at 1024x768 measures how much of
# the frame goes to borders, caption and menu, and each size then gets a
# desktop of 4/3 of the frame it needs. The bench prints the client area it got.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if (($#)); then
  build=$1
  shift
elif grep -qx 'HOST_WINE_ARCH := x86_64' "$root/build/host.mk" 2>/dev/null; then
  build=$root/build/windows-x86_64
else
  build=$root/build/windows
fi
sizes=("$@")
((${#sizes[@]})) || sizes=(600x414 1920x1040 3840x2100)
[[ -d $build ]] || { echo "wine-bench: no build folder $build" >&2; exit 1; }
build=$(cd "$build" && pwd)
arch=${QUENLARK_WINE_ARCH:-$(sed -n 's/^QUENLARK_WINE_ARCH:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null)}

bench=$build/bench/wine/wine_bench.exe
export QUENLARK_EXE=$build/shell/Quenlark.exe
export HARNESS_PROBE_EXE=$build/tests/e2e/harness_probe.exe
if [[ -n ${BENCH_BEFORE:-} ]]; then
  export QUENLARK_BEFORE_EXE
  QUENLARK_BEFORE_EXE=$(cd "$(dirname "$BENCH_BEFORE")" && pwd)/$(basename "$BENCH_BEFORE")
fi
for file in "$bench" "$QUENLARK_EXE" "$HARNESS_PROBE_EXE" ${QUENLARK_BEFORE_EXE:+"$QUENLARK_BEFORE_EXE"}; do
  [[ -f $file ]] || { echo "wine-bench: $file is missing; run make windows first" >&2; exit 1; }
done
session=("$root/scripts/wine-session.sh" --state "$build/wine" --arch "${arch:-i686}")
echo "Windows programs timed: those of $build (${arch:-i686})"

read -r _ frame_w frame_h _ view_w view_h < <("${session[@]}" --desktop 1024x768 --timeout 120 -- "$bench" --overhead | tr -d '\r' | grep '^frame')
extra_w=$((frame_w - view_w))
extra_h=$((frame_h - view_h))
echo "frame ${frame_w}x${frame_h} around a view of ${view_w}x${view_h} in a 1024x768 desktop"

for size in "${sizes[@]}"; do
  want_w=${size%x*}
  want_h=${size#*x}
  desk_w=$(( (4 * (want_w + extra_w) + 2) / 3 ))
  desk_h=$(( (4 * (want_h + extra_h) + 2) / 3 ))
  echo
  echo "== client area $size (desktop ${desk_w}x${desk_h})"
  "${session[@]}" --desktop "${desk_w}x${desk_h}" --timeout 900 --warm-up -- "$bench" --clicks "${BENCH_CLICKS:-200}" --redraws "${BENCH_REDRAWS:-40}" --starts "${BENCH_STARTS:-5}" | tr -d '\r'
done
