#!/usr/bin/env bash
# Starts the game under Wine: scripts/run-game.sh BUILD_DIR [handheld]
#
# Without a second argument the desktop game (shell/Quenlark.exe), with
# "handheld" the handheld build (handheld/Quenlark.EXE) in its device-sized
# frame.
#
# With a reachable $DISPLAY the game simply runs there. Without one, the game
# runs on a private Xvfb screen inside Wine's virtual desktop (prefix
# BUILD_DIR/run-prefix, made once), a screenshot is taken once the board is
# painted, its path is printed, and everything started here is stopped again.
set -euo pipefail
# Wine gets a fixed address-space layout (see scripts/fixed-layout.sh).
[[ -n ${QUENLARK_FIXED_LAYOUT:-} ]] ||
  exec "$(dirname -- "${BASH_SOURCE[0]}")/fixed-layout.sh" "$BASH" "${BASH_SOURCE[0]}" "$@"

build_dir=${1:?usage: run-game.sh BUILD_DIR [handheld]}
build_dir=$(cd "$build_dir" && pwd)
case ${2:-} in
  "") exe="$build_dir/shell/Quenlark.exe"; shot="$build_dir/quenlark-screenshot.png" ;;
  handheld) exe="$build_dir/handheld/Quenlark.EXE"; shot="$build_dir/quenlark-handheld-screenshot.png" ;;
  *) echo "usage: run-game.sh BUILD_DIR [handheld]" >&2; exit 2 ;;
esac
if [[ ! -f $exe ]]; then
  echo "run-game: $exe is missing; run 'make windows' first" >&2
  exit 1
fi

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko prompts in a fresh prefix

# An x86-64 build (PE machine field 8664) runs under Wine's 64-bit loader, in a
# prefix without Wine's 32-bit half, which a host without 32-bit code would
# spend minutes making under emulation.
scripts=$(cd "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
make_prefix=()
if [[ $("$scripts/pe-machine.sh" "$exe") == 8664 ]]; then
  PATH=$scripts/wine64:$PATH
  make_prefix=("$scripts/without-wine32.sh")
fi

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe"
fi

prefix="$build_dir/run-prefix"
export WINEPREFIX="$prefix"

xvfb_pid=""
game_pid=""
cleanup() {
  if [[ -n $game_pid ]]; then kill "$game_pid" 2>/dev/null || true; fi
  timeout 20 wineserver -k 2>/dev/null || true
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A free display number: no X socket and no lock file for it.
display=""
for n in $(seq 90 140); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then display=":$n"; break; fi
done
[[ -n $display ]] || { echo "run-game: no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "run-game: Xvfb did not start on $display" >&2; exit 1; }

# The prefix, once: Wine's virtual desktop must be set before its server
# starts, so windows get title bars and repaint like on Windows.
# It is made again when the installed Wine or its loaders change.
stamp="$("$scripts/wine-build-stamp.sh") ${make_prefix:+no-wow64}"
if [[ ! -f $prefix/.quenlark-ready || $(cat "$prefix/.quenlark-ready") != "$stamp" ]]; then
  rm -rf "$prefix"
  echo "run-game: creating Wine prefix $prefix (once)" >&2
  "${make_prefix[@]}" bash -c '
    timeout 180 wineboot -i >/dev/null 2>&1
    timeout 60 wineserver -w
    timeout 30 wine reg add "HKCU\Software\Wine\Explorer" /v Desktop /d Default /f >/dev/null 2>&1
    timeout 30 wine reg add "HKCU\Software\Wine\Explorer\Desktops" /v Default /d 800x600 /f >/dev/null 2>&1
    timeout 60 wineserver -k
    timeout 60 wineserver -w' || true
  echo "$stamp" >"$prefix/.quenlark-ready"
fi

# Debian's Wine does not find its own fonts: caption buttons would show as the
# letters "0 1 r" and dialogs would fall back to wider fonts that cut their
# texts. Copies in the prefix's Fonts folder are found.
fonts=/usr/share/wine/fonts
if [[ -d $fonts && -d $prefix/drive_c/windows/Fonts ]]; then
  for font in marlett.ttf ms_sans_serif.ttf sserife.fon system.ttf tahoma.ttf tahomabd.ttf small_fonts.ttf; do
    [[ -f $fonts/$font ]] && cp -n "$fonts/$font" "$prefix/drive_c/windows/Fonts/" 2>/dev/null
  done
fi

wine "$exe" &
game_pid=$!

# Wait (bounded) until the game's window is up and its board painted: the
# picture then holds tiles of the Default theme's first colour, RGB(255, 99, 0),
# and stops changing.
ready=""
previous=""
for _ in $(seq 1 120); do
  sleep 0.5
  xdotool search --name '^Quenlark$' >/dev/null 2>&1 || continue
  import -display "$display" -window root -depth 8 rgb:"$build_dir/run-screen.rgb" 2>/dev/null || continue
  LC_ALL=C grep -qaP '\xff\x63\x00' "$build_dir/run-screen.rgb" || continue
  sum=$(md5sum <"$build_dir/run-screen.rgb")
  if [[ -n $previous && $sum == "$previous" ]]; then ready=1; break; fi
  previous=$sum
done
rm -f "$build_dir/run-screen.rgb"
[[ -n $ready ]] || echo "run-game: the game window did not settle in time; taking the screenshot anyway" >&2

import -display "$display" -window root "$shot"
echo "$shot"
