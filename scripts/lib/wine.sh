# Sourced by scripts/wine-session.sh: how this project starts Wine.
#
#   wine_fixed_layout "$@"      re-runs the calling script without address-space
#                               randomisation (see below); call it first
#   wine_use_arch ARCH          i686 or x86_64: which loader `wine` means, and
#                               whether prefixes get a 32-bit half
#   wine_start_display W H      a private Xvfb of WxH, 24 bits; sets DISPLAY
#                               and wine_xvfb_pid
#   wine_stop_display
#   wine_make_prefix DIR        makes the prefix DIR once (and again when Wine
#                               changes); DIR/.quenlark-ready holds its stamp
#   wine_set_desktop DIR WxH    the virtual desktop size of prefix DIR

wine_lib_dir=$(cd "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)

# Debian's Wine has no preloader. The kernel then puts the heap of Wine's loader
# anywhere in the gigabyte above the loader, now and then across 0x7ffe0000,
# where every Windows process needs its shared user data; that process fails
# to start ("failed to map the shared user data"), and when it is the
# desktop's explorer, no window of the session appears. With a fixed layout
# (setarch -R, inherited by every process started, the 32-bit loader and
# qemu-user included) the heap starts right after the loader. Where the
# personality cannot be set (some container sandboxes forbid it), the script
# runs as it is.
wine_fixed_layout() {
  [[ -n ${QUENLARK_FIXED_LAYOUT:-} ]] && return 0
  export QUENLARK_FIXED_LAYOUT=1
  if setarch -R true 2>/dev/null; then
    exec setarch -R "$BASH" "$0" "$@"
  fi
}

# Wine's own tools stay quiet. No Mono or Gecko installer dialogs: nothing here
# needs .NET or a browser. Nor Wine's menu builder: a saved shortcut starts it
# in the background, where it reads the link's program for its icon (holding
# the file open while a test installs over it) and writes menu entries into
# the Unix user's home.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The one mapping from the programs' architecture to how Wine runs them.
# i686: Debian's `wine`, prefixes with their 32-bit half. x86_64: `wine` is
# Wine's 64-bit loader (scripts/wine64/wine; Debian's own `wine` starts the
# 32-bit loader first), and prefixes are made without a 32-bit half, which a
# host without 32-bit code would spend minutes making under emulation
# (wine_no_wow64=1; a caller whose x86-64 programs start 32-bit ones sets it
# back to 0).
wine_arch=i686
wine_no_wow64=0
wine_use_arch() {
  case $1 in
    i686) wine_arch=i686 wine_no_wow64=0 ;;
    x86_64)
      wine_arch=x86_64 wine_no_wow64=1
      PATH=$wine_lib_dir/wine64:$PATH
      [[ -x /usr/lib/wine/wine64 ]] || { echo "Wine's 64-bit loader is missing (run scripts/bootstrap.sh)" >&2; return 1; } ;;
    *) echo "no Wine architecture '$1' (i686 or x86_64)" >&2; return 1 ;;
  esac
}

# What a prefix depends on of the installed Wine: its version and which loaders
# are installed (a prefix made before the 32-bit loader came lacks its 32-bit
# half), and whether it was made with that half.
wine_build_stamp() {
  local loader stamp
  stamp=$(wine --version 2>/dev/null)
  for loader in /usr/lib/wine/wine /usr/lib/wine/wine64; do
    [[ -x $loader ]] && stamp+=" ${loader##*/}"
  done
  printf '%s fonts arch=%s no-wow64=%s\n' "$stamp" "$wine_arch" "$wine_no_wow64"
}

wine_xvfb_pid=
wine_start_display() {  # wine_start_display W H
  command -v Xvfb >/dev/null || { echo "Xvfb not found (run scripts/bootstrap.sh)" >&2; return 1; }
  local fdfile number
  fdfile=$(mktemp) || return 1
  # -displayfd picks a free display number and writes it once the server is
  # ready, so concurrent sessions never race for a number.
  Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  wine_xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s $fdfile ]] && break
    kill -0 "$wine_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  number=$(tr -dc 0-9 <"$fdfile")
  rm -f "$fdfile"
  [[ -n $number ]] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$number
}
wine_stop_display() {
  if [[ -n $wine_xvfb_pid ]]; then
    kill "$wine_xvfb_pid" 2>/dev/null
    wait "$wine_xvfb_pid" 2>/dev/null
    wine_xvfb_pid=
  fi
}

# The prefix recipe: wineboot, Wine's virtual desktop switched on (set before
# the server starts, so windows get title bars and repaint as on Windows), and
# the fonts. It is made in DIR.new and moved into place only when every step
# succeeded, so a failed wineboot never leaves a prefix that looks ready.
# wine_no_wow64=1 makes it without a 32-bit half. The caller holds a lock if
# sessions may race for DIR.
wine_make_prefix() {
  local dir=$1 stamp font
  stamp=$(wine_build_stamp)
  [[ -f $dir/.quenlark-ready && $(cat "$dir/.quenlark-ready") == "$stamp" ]] && return 0
  echo "creating Wine prefix $dir" >&2
  rm -rf "$dir" "$dir.new"
  local make=(bash -c '
    export WINEPREFIX=$0
    timeout 600 wineboot -i >/dev/null 2>&1 || exit 1
    timeout 60 wine reg add "HKCU\Software\Wine\Explorer" /v Desktop /d Default /f >/dev/null 2>&1 || exit 1
    timeout 60 wine reg add "HKCU\Software\Wine\Explorer\Desktops" /v Default /d 1024x768 /f >/dev/null 2>&1 || exit 1
    # The server writes the registry files when it exits.
    timeout 60 wineserver -w || exit 1' "$dir.new")
  # wineboot gives a prefix its 32-bit half by starting 32-bit programs; with
  # the 32-bit loader covered (a mount namespace of its own) it leaves it out.
  # Without a mount namespace (not root) it runs as it is: slower, same prefix
  # and more.
  if ((wine_no_wow64)) && [[ -e /usr/lib/wine/wine ]] && unshare -m true 2>/dev/null; then
    make=(unshare -m bash -c 'mount --bind /dev/null /usr/lib/wine/wine && exec "$@"' bash "${make[@]}")
  fi
  if ! "${make[@]}" || ! grep -q '^"Desktop"="Default"' "$dir.new/user.reg"; then
    rm -rf "$dir.new"
    echo "wineboot failed for $dir" >&2
    return 1
  fi
  # Debian's Wine does not find its own fonts: dialogs in "MS Sans Serif" or
  # "System" would fall back to wider faces that cut their texts, and caption
  # buttons would show letters. Copies in the prefix are found.
  for font in marlett.ttf ms_sans_serif.ttf sserife.fon system.ttf tahoma.ttf tahomabd.ttf small_fonts.ttf; do
    if [[ -f /usr/share/wine/fonts/$font ]]; then
      cp "/usr/share/wine/fonts/$font" "$dir.new/drive_c/windows/Fonts/" || { rm -rf "$dir.new"; return 1; }
    fi
  done
  echo "$stamp" >"$dir.new/.quenlark-ready"
  mv "$dir.new" "$dir"
}

# Writes the virtual desktop's size into a prefix whose server is not running.
wine_set_desktop() {  # wine_set_desktop DIR WxH
  awk -v size="$2" '
    /^\[/ { in_desktops = ($0 ~ /^\[Software\\\\Wine\\\\Explorer\\\\Desktops\]/) }
    in_desktops && /^"Default"=/ { $0 = "\"Default\"=\"" size "\"" }
    { print }
  ' "$1/user.reg" >"$1/user.reg.new" && mv "$1/user.reg.new" "$1/user.reg"
}
