#!/usr/bin/env bash
# wine-session.sh: run one command inside a throw-away Wine session.
#
#   wine-session.sh [options] [--] COMMAND [ARGS...]
#
#   --state DIR        where the template prefix and the scratch prefixes live
#                      (default: $WINE_SESSION_STATE, else ./wine-state). Use one
#                      per build dir, e.g. ${CMAKE_BINARY_DIR}/wine.
#   --desktop WxH      size of Wine's virtual desktop for this session
#                      (default 1024x768). Windows created with CW_USEDEFAULT
#                      get about three quarters of it.
#   --timeout SECONDS  upper bound for COMMAND (default 300); on expiry it is
#                      killed and the session exits with 124.
#   --keep             keep the scratch prefix (its path is printed) and the
#                      session's output folder.
#   --kept-prefix      run in the prefix $STATE/prefix, made once and kept
#                      (for `make run` and the timings), instead of a scratch
#                      copy of the template. --timeout 0 sets no time limit.
#   --warm-up          start one short Wine process before COMMAND, so that
#                      Wine's services are up when COMMAND starts.
#   --winedebug VALUE  WINEDEBUG for COMMAND and every program it starts
#                      (default: $WINE_SESSION_WINEDEBUG, else -all). The tests
#                      pass -all,err+all,warn+heap: Wine's checking heap, which
#                      turns most uses of freed memory into page faults.
#   --arch ARCH        the programs the session runs: i686 (default), or
#                      x86_64 for the x86-64 build (scripts/lib/wine.sh,
#                      wine_use_arch: Wine's 64-bit loader, a prefix without
#                      a 32-bit half)
#   --wow64            with --arch x86_64: the prefix keeps its 32-bit half,
#                      for 32-bit programs that x86-64 drivers start.
#
# What a session does (the pieces are in scripts/lib/wine.sh):
#   1. Display: uses $WINE_SESSION_DISPLAY if set; otherwise starts a private
#      Xvfb (-displayfd), large enough for the desktop (at least 1024x768 but
#      with --kept-prefix), 24 bits.
#   2. Template prefix: $STATE/template, made once (wineboot -i) under an flock,
#      with the virtual desktop switched on (HKCU\Software\Wine\Explorer
#      Desktop=Default, ...\Explorer\Desktops Default=WxH), Mono/Gecko off
#      and the fonts. It is remade when the installed Wine or its loaders
#      change (a prefix made before wine32 was installed cannot run 32-bit
#      programs). Its 32-bit half takes minutes where it runs under emulation;
#      --arch x86_64 leaves it out.
#   3. Scratch prefix: a copy of the template under $STATE/sessions (hard links
#      for the read-only DLLs, real copies of the registry files), with the
#      desktop size written into user.reg before any Wine process starts, and
#      Wine's crash dialog switched off (HKCU\Software\Wine\WineDbg
#      ShowCrashDialog=0): a program that faults then gets its crash report
#      (exception, registers, backtrace) written by winedbg to its standard
#      output and ends with the exception code as exit status, instead of
#      hanging behind a "Program Error" window. The debugger itself runs with
#      WINEDEBUG=-all (AeDebug Debugger goes through cmd to set it).
#      The registry so starts empty of anything a previous test wrote.
#   4. COMMAND runs with WINEPREFIX, DISPLAY and WINEDEBUG exported. A
#      COMMAND ending in .exe runs under `wine`; anything else (a shell script)
#      runs as is and may call wine, wine reg, winepath, xdotool or import.
#      Also exported: WINE_SESSION_DESKTOP (WxH) and WINE_SESSION_ARTIFACTS,
#      this session's output folder $STATE/artifacts/NAME-TIME.XXXX. COMMAND's
#      standard output and error are copied to session.log there; every Wine
#      process of the session inherits that stderr, where Wine writes its own
#      messages. Drivers keep there the output of each program they start
#      (tests/e2e/support/gui_process.h) and pictures of failures.
#   5. Afterwards: the logs are searched for signs of a fault: "wine: Unhandled"
#      (written by any Wine process that faults; faults in 64-bit code are
#      Wine's own processes, since the project's programs are all 32-bit, and
#      are named but not counted; with --arch x86_64 that holds only for faults in
#      the session's own log, since the programs a driver starts write to logs
#      of their own and COMMAND's fault shows in its status), winedbg's "Unhandled
#      exception:" report, "wine: Call from ... to unimplemented function",
#      the C++ runtime's "terminate called", and messages of the checking heap
#      (err:heap, warn:heap: freed or foreign blocks handed to the heap,
#      overwritten free blocks). Any of them fails the session, naming the
#      lines found. A picture of the whole screen is kept when COMMAND failed
#      or a program faulted, then `wineserver -k`, the scratch prefix is
#      removed and the private Xvfb is stopped. The output folder is removed
#      when the session passed. Every wait is bounded.
#
# A test that makes a program fault on purpose sets WINE_SESSION_EXPECT_CRASH=1:
# its session then fails when no fault was seen, and not because of one.
#
# Exit status: COMMAND's own (77 is left as is, for ctest's SKIP_RETURN_CODE),
# 124 when it timed out, 125 when the session itself could not be set up, 1
# when COMMAND passed but a program of the session faulted.
#
# From CMake, use cmake/WineSession.cmake (quenlark_add_wine_test, or the
# CROSSCOMPILING_EMULATOR list QUENLARK_WINE_SESSION for gtest_add_tests).
# Drivers may link quenlark_e2e_support (tests/e2e/support: processes and
# windows, screen pictures, real input, message boxes, registry, menus) and
# quenlark_e2e_main (GoogleTest main that keeps a screen picture at the first
# failure, fails a test in which a program it started faulted, and exits 77
# when a file named in E2E_REQUIRED_FILES is missing).

set -uo pipefail

source "$(dirname -- "${BASH_SOURCE[0]}")/lib/wine.sh"
# Every Wine process of the session inherits a fixed address-space layout.
wine_fixed_layout "$@"

state=${WINE_SESSION_STATE:-$PWD/wine-state}
desktop=1024x768
limit=300
keep=0
warm_up=0
winedebug=${WINE_SESSION_WINEDEBUG:--all}
arch=i686
wow64=0
kept_prefix=0
expect_crash=${WINE_SESSION_EXPECT_CRASH:-0}

die() { echo "wine-session: $*" >&2; exit 125; }

while (($#)); do
  case $1 in
    --state) state=$2; shift 2 ;;
    --desktop) desktop=$2; shift 2 ;;
    --timeout) limit=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --warm-up) warm_up=1; shift ;;
    --winedebug) winedebug=$2; shift 2 ;;
    --arch) arch=$2; shift 2 ;;
    --wow64) wow64=1; shift ;;
    --kept-prefix) kept_prefix=1; shift ;;
    --) shift; break ;;
    -*) die "unknown option $1" ;;
    *) break ;;
  esac
done
(($#)) || die "no command given"
[[ $desktop =~ ^([0-9]+)x([0-9]+)$ ]] || die "bad --desktop '$desktop', want WxH"
desk_w=${BASH_REMATCH[1]}
desk_h=${BASH_REMATCH[2]}
[[ $limit =~ ^[0-9]+$ ]] || die "bad --timeout '$limit'"

wine_use_arch "$arch" || die "cannot run the programs of '$arch'"
((wow64)) && wine_no_wow64=0
for tool in wine wineboot wineserver flock timeout; do
  command -v "$tool" >/dev/null || die "$tool not found (run scripts/bootstrap.sh)"
done

mkdir -p "$state/sessions" "$state/artifacts" || die "cannot create $state"
state=$(cd "$state" && pwd)
export WINE_SESSION_DESKTOP="$desktop"

session=
cleanup() {
  if [[ -n $session && -d $session ]]; then
    WINEPREFIX=$session timeout 20 wineserver -k >/dev/null 2>&1
    if ((keep && !kept_prefix)); then
      echo "wine-session: kept prefix $session" >&2
    elif ((!kept_prefix)); then
      rm -rf "$session"
    fi
  fi
  wine_stop_display
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# 1. Display.
if [[ -n ${WINE_SESSION_DISPLAY:-} ]]; then
  export DISPLAY=$WINE_SESSION_DISPLAY
else
  # The test sessions' screen is at least 1024x768; the kept prefix's is its desktop.
  if ((kept_prefix)); then
    wine_start_display "$desk_w" "$desk_h" || die "no display"
  else
    wine_start_display $((desk_w > 1024 ? desk_w : 1024)) $((desk_h > 768 ? desk_h : 768)) || die "no display"
  fi
fi

# 2. The prefix: a template made once per state folder, or the kept prefix.
if ((kept_prefix)); then
  {
    flock -w 900 9 || die "timed out waiting for the prefix lock"
    wine_make_prefix "$state/prefix" || die "wineboot failed"
  } 9>"$state/prefix.lock"
  session=$state/prefix
  WINEPREFIX=$session timeout 20 wineserver -k >/dev/null 2>&1
  wine_set_desktop "$session" "$desktop" || die "cannot write the prefix's user.reg"
else
  {
    flock -w 900 9 || die "timed out waiting for the template lock"
    wine_make_prefix "$state/template" || die "wineboot failed"
  } 9>"$state/template.lock"
fi

# Scratch prefixes of sessions that were killed outright (no trap ran) are
# cleared once they are old enough that no session can still be using them.
find "$state/sessions" -mindepth 1 -maxdepth 1 -name 'prefix.*' -mmin +180 -exec rm -rf {} + 2>/dev/null
# Output kept from failed sessions goes after a week.
find "$state/artifacts" -mindepth 1 -maxdepth 1 -mtime +6 -exec rm -rf {} + 2>/dev/null

# 3. Scratch prefix. Wine only reads the DLLs of a prefix, so hard links serve;
# the registry files are rewritten by the server and get real copies.
if ((!kept_prefix)); then
  template=$state/template
  session=$(mktemp -d "$state/sessions/prefix.XXXXXX") || die "mktemp failed"
  rmdir "$session"
  cp -al "$template" "$session" || die "cannot copy the template prefix"
  for f in system.reg user.reg userdef.reg .update-timestamp; do
    cp --remove-destination "$template/$f" "$session/$f" || die "cannot copy $f"
  done
  wine_set_desktop "$session" "$desktop" &&
    printf '\n[Software\\\\Wine\\\\WineDbg] %s\n"ShowCrashDialog"=dword:00000000\n' "$(date +%s)" \
      >>"$session/user.reg" || die "cannot write the session's user.reg"
  # Wine's debugger inherits the Unix environment of the program that faulted,
  # checking heap included, which makes its report take seconds longer; started
  # through cmd it gets a WINEDEBUG of its own. (cmd finds it by its full path
  # only: the environment Wine hands to the debugger lacks PATH.)
  sed -i 's/^"Debugger"="winedbg --auto %ld %ld"$/"Debugger"="cmd \/c set WINEDEBUG=-all\&C:\\\\windows\\\\system32\\\\winedbg.exe --auto %ld %ld"/' \
    "$session/system.reg" || die "cannot write the session's system.reg"
fi
export WINEPREFIX=$session

if ((warm_up)); then
  timeout 60 wine cmd /c exit >/dev/null 2>&1
fi

# 4. The command, its output copied into the session's output folder.
name=$(basename -- "$1")
name=${name%.exe}
for arg in "${@:2}"; do
  [[ $arg == --gtest_filter=* ]] && name+="-${arg#--gtest_filter=}"
done
name=$(printf '%s' "$name" | tr -c 'A-Za-z0-9._-' '_')
out=$(mktemp -d "$state/artifacts/$name-$(date +%H%M%S).XXXX") || die "cannot create an output folder"
export WINE_SESSION_ARTIFACTS=$out
log=$out/session.log
exec {out_fd}> >(exec tee -a "$log")
out_tee=$!
exec {err_fd}> >(exec tee -a "$log" >&2)
err_tee=$!

if [[ ${1,,} == *.exe ]]; then
  runner=(wine)
else
  runner=()
fi
WINEDEBUG=$winedebug timeout -k 10 "$limit" "${runner[@]}" "$@" >&"$out_fd" 2>&"$err_fd"
status=$?
exec {out_fd}>&- {err_fd}>&-
if ((status == 124 || status == 137)); then
  echo "wine-session: '$*' did not finish within $limit s" >&2
  status=124
fi

# 5. Signs of a fault in any log of the session, at most a few lines of each.
# Every program of the project is 32-bit; a fault in 64-bit code is one of
# Wine's own processes (seen: its RPC service failing to start while the
# machine was loaded). Those do not fail a test; they are named below.
wine_own='wine: Unhandled .* at address [0-9A-Fa-f]{16} |Unhandled exception: .* in 64-bit code'
[[ $arch == x86_64 ]] && wine_own="^session\.log:($wine_own)"
fault_signs='wine: Unhandled|wine: Call from .* to unimplemented function|^Unhandled exception:|:(err|warn):heap:|terminate called'
faults() {
  (cd "$out" && grep -a -H -E "$fault_signs" -- *.log 2>/dev/null) | tr -d '\r' |
    grep -a -v -E "$wine_own" | head -n 12
}
wine_faults() {
  (cd "$out" && grep -a -H -E "$fault_signs" -- *.log 2>/dev/null) | tr -d '\r' |
    grep -a -E "$wine_own" | head -n 4
}
found=$(faults)

# A picture of the screen of a failed session, taken while its windows are up.
if { ((status != 0 && status != 77)) || [[ -n $found && $expect_crash != 1 ]]; } &&
   command -v import >/dev/null; then
  picture=$out/screen-at-end.png
  if timeout 20 import -display "$DISPLAY" -window root -depth 8 "$picture" 2>/dev/null; then
    echo "wine-session: screen at the end saved to $picture" >&2
  fi
fi

# Every Wine process holds a copy of the session's output; once the server is
# gone the copies into session.log finish and the logs are complete.
WINEPREFIX=$session timeout 20 wineserver -k >/dev/null 2>&1
for _ in $(seq 60); do
  kill -0 "$out_tee" "$err_tee" 2>/dev/null || break
  sleep 0.05
done
found=$(faults)

own=$(wine_faults)
if [[ -n $own ]]; then
  echo "wine-session: a 64-bit process of Wine itself faulted (not counted against the test):" >&2
  sed 's/^/  /' <<<"$own" >&2
fi

if [[ $expect_crash == 1 ]]; then
  if [[ -n $found ]]; then
    echo "wine-session: the expected fault was seen:" >&2
    sed 's/^/  /' <<<"$found" >&2
  else
    echo "wine-session: a fault was expected, none was seen" >&2
    ((status == 0 || status == 77)) && status=1
  fi
elif [[ -n $found ]]; then
  echo "wine-session: a program of this session faulted or misused its heap:" >&2
  sed 's/^/  /' <<<"$found" >&2
  ((status == 0 || status == 77)) && status=1
fi

if ((status == 0 || status == 77)) && ((!keep)); then
  rm -rf "$out"
else
  echo "wine-session: output of the session kept in $out" >&2
fi
exit "$status"
