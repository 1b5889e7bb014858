#!/usr/bin/env bash
# make viewer: the stand-in viewer that make demo installed the plug-in into,
# on the user's display, for trying the plug-in by hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
if [ -z "${DISPLAY:-}" ]; then
  echo "make viewer: needs a display to show the viewer on (DISPLAY is not set)" >&2
  exit 2
fi
if [ ! -f build/demo/.complete ]; then
  echo "make viewer: no viewer with the installed plug-in yet; running make demo first"
  DEMO_VISIBLE=0 make demo
fi
run=tools/wine-run.sh
tools/runs-32bit.sh 2>/dev/null || run=tools/wine64-run.sh  # as make demo chose
exec "$run" --prefix "$root/build/demo/wineprefix" \
  "$root/build/demo/wineprefix/drive_c/Program Files/Reader 6.0/AcroRd32.exe"
