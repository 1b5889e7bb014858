#!/usr/bin/env bash
# make demo: tools/demo/demo.py under a virtual X display (or the user's own
# with DEMO_VISIBLE=1 and DISPLAY set); the transcript also goes to
# build/demo/transcript.txt.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
if [ "${DEMO_VISIBLE:-}" != 1 ] || [ -z "${DISPLAY:-}" ]; then unset DISPLAY; fi
python=/usr/bin/python3
[ -x "$python" ] || { echo "make demo: Debian's python3 is missing: run tools/install-deps.sh" >&2; exit 2; }
"$python" -c 'import PIL' 2>/dev/null || { echo "make demo: Pillow is missing: run tools/install-deps.sh (python3-pil)" >&2; exit 2; }
mkdir -p build/demo
tools/with-display.sh "$python" tools/demo/demo.py 2>&1 | tee build/demo/transcript.txt
exit "${PIPESTATUS[0]}"
