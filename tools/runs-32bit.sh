#!/usr/bin/env bash
# Exits 0 when this machine can execute 32-bit x86 Linux programs, which
# 32-bit Wine is; otherwise says why on stderr and exits 1. Some virtual
# machines run a kernel without the 32-bit entry, and then every i386 program,
# Wine's loader among them, fails with "Exec format error".
set -u
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "runs-32bit: $loader is missing (32-bit Wine is not installed)" >&2
  exit 1
fi
if ! output=$("$loader" --version 2>&1); then
  echo "runs-32bit: $loader --version failed: $output" >&2
  exit 1
fi
exit 0
