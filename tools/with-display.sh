#!/usr/bin/env bash
# Runs a command with DISPLAY set, starting a private Xvfb when none is set.
set -u
if [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
for n in $(seq 150 199); do
  [ -e /tmp/.X$n-lock ] && continue
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  kill -0 $pid 2>/dev/null || continue
  DISPLAY=:$n "$@"
  status=$?
  kill $pid 2>/dev/null
  exit $status
done
echo "with-display: no free X display" >&2
exit 1
