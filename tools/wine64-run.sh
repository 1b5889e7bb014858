#!/usr/bin/env bash
# tools/wine-run.sh under 64-bit Wine, for the 64-bit check tree
# (cmake/mingw-x86_64.cmake). Same usage.
TARVEK_WINE_ARCH=win64 exec "$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$@"
