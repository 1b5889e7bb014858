#!/usr/bin/env bash
# Runs a Win32 program under 32-bit Wine the way the tests need it: a Wine
# prefix inside the build tree, the Slovak locale (ANSI code page 1250), and a
# virtual X display when none is set.
# Usage: tools/wine-run.sh [--prefix DIR] PROGRAM [ARGS...]
# Each build tree passes its own prefix, so trees never share a Wine registry.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=$root/build/win32/wineprefix
if [ "${1:-}" = "--prefix" ]; then prefix=$2; shift 2; fi
export WINEPREFIX=$prefix
# The 64-bit check tree (cmake/mingw-x86_64.cmake) runs under 64-bit Wine
# (tools/wine64-run.sh sets this).
wine=wine
if [ "${TARVEK_WINE_ARCH:-win32}" = win64 ]; then
  export WINEARCH=win64
  wine=/usr/lib/wine/wine64
  export WINELOADER=$wine
else
  export WINEARCH=win32
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=sk_SK.UTF-8

xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=:$n; break; fi
    xvfb_pid=
  done
fi

# The first run creates the prefix; concurrent test runs wait for it.
# Windows are left unmanaged: with no window manager on the virtual display,
# Wine would otherwise wait two seconds for one whenever a window hides.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
    wineserver -w
  fi
  if [ ! -f "$WINEPREFIX/.tarvek-configured" ]; then
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tarvek-configured"
  fi
) 9>"$WINEPREFIX.lock"

"$wine" "$@"
status=$?
exit $status
