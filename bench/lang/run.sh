#!/usr/bin/env bash
# Lemmatizer and synonyms: recall and precision, tarvek against Recoll's
# stemmers, on the word lists of this folder (see bench/README.md):
#   bench/lang/run.sh [LANG...]      default: every list here
# BENCH_BUILD (default build/bench) is a Release tree without sanitizers;
# BENCH_WORK (default build/bench-lang) holds the collections, the indexes
# and the misses; LANG_DATA (default: the tree's TARVEK_LINGDATA_DIR, where
# the build makes the ling_XX.tld files) is the folder handed to
# tarvek-query --data. Not part of make test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -gt 0 ]; then langs=("$@"); else
  langs=(); for l in sk en cs fr de hu pl it es; do if [ -f "$here/$l.txt" ]; then langs+=("$l"); fi; done
fi

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v recollindex >/dev/null || ! command -v pdftotext >/dev/null; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends recollcmd poppler-utils
fi

. "$here/tree.sh"
python3 "$here/evaluate.py" "$work" "$build/standins/indexer" "$data" "${langs[@]}"
echo "Misses: $work/misses-LANG.txt"
