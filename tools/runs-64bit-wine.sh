#!/usr/bin/env bash
# Exits 0 when 64-bit Wine's loader starts here; otherwise says why on stderr
# and exits 1. Where 32-bit programs cannot run, the Wine suite runs on the
# 64-bit check tree under it.
set -u
loader=/usr/lib/wine/wine64
if [ ! -x "$loader" ]; then
  echo "runs-64bit-wine: $loader is missing (64-bit Wine is not installed)" >&2
  exit 1
fi
if ! output=$("$loader" --version 2>&1); then
  echo "runs-64bit-wine: $loader --version failed: $output" >&2
  exit 1
fi
exit 0
