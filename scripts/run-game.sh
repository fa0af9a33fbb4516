#!/usr/bin/env bash
# Starts the game under Wine: scripts/run-game.sh BUILD_DIR i686|x86_64 [handheld]
#
# Without a third argument the desktop game (shell/Quenlark.exe), with
# "handheld" the handheld build (handheld/Quenlark.EXE) in its device-sized
# frame. The second argument says which programs the build has (the host's
# facts, build/host.mk; scripts/wine-session.sh --arch).
#
# The game runs in a Wine session (scripts/wine-session.sh) in the kept prefix
# BUILD_DIR/run/prefix. With a reachable $DISPLAY it runs there until it is
# closed. Without one, it runs on a private Xvfb screen, a screenshot is taken
# once the board is painted, its path is printed, and the session ends.
set -euo pipefail
scripts=$(cd "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)

usage() { echo "usage: run-game.sh BUILD_DIR i686|x86_64 [handheld]" >&2; exit 2; }

# Inside the session: start the game, wait (bounded) until its window is up
# and its board painted (the picture then holds tiles of the Default theme's
# first colour, RGB(255, 99, 0), and stops changing), take the screenshot.
if [[ ${1:-} == --screenshot ]]; then
  exe=$2 shot=$3
  wine "$exe" &
  screen=$(mktemp)
  ready="" previous=""
  for _ in $(seq 1 120); do
    sleep 0.5
    xdotool search --name '^Quenlark$' >/dev/null 2>&1 || continue
    import -window root -depth 8 rgb:"$screen" 2>/dev/null || continue
    LC_ALL=C grep -qaP '\xff\x63\x00' "$screen" || continue
    sum=$(md5sum <"$screen")
    if [[ -n $previous && $sum == "$previous" ]]; then ready=1; break; fi
    previous=$sum
  done
  rm -f "$screen"
  [[ -n $ready ]] || echo "run-game: the game window did not settle in time; taking the screenshot anyway" >&2
  import -window root "$shot"
  echo "$shot"
  exit 0
fi

(($# >= 2)) || usage
build_dir=$(cd "$1" && pwd)
arch=$2
case ${3:-} in
  "") exe="$build_dir/shell/Quenlark.exe"; shot="$build_dir/quenlark-screenshot.png" ;;
  handheld) exe="$build_dir/handheld/Quenlark.EXE"; shot="$build_dir/quenlark-handheld-screenshot.png" ;;
  *) usage ;;
esac
if [[ ! -f $exe ]]; then
  echo "run-game: $exe is missing; run 'make windows' first" >&2
  exit 1
fi

session=("$scripts/wine-session.sh" --state "$build_dir/run" --kept-prefix --desktop 800x600 --arch "$arch")
if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  WINE_SESSION_DISPLAY=$DISPLAY exec "${session[@]}" --timeout 0 -- "$exe"
fi
exec "${session[@]}" --timeout 120 -- "$scripts/run-game.sh" --screenshot "$exe" "$shot"
