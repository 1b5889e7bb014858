#!/usr/bin/env bash
# The tarvek/Recoll comparison, end to end (see bench/README.md):
#   bench/recoll/run.sh [FILES]      default 2000 PDF files of 10 pages
# BENCH_BUILD (default build/bench) is a Release tree without sanitizers;
# BENCH_WORK (default build/bench-recoll) holds the corpus, the indexes and
# the Recoll configuration. Not part of make test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BENCH_BUILD:-$root/build/bench}
work=${BENCH_WORK:-$root/build/bench-recoll}
files=${1:-2000}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v recollindex >/dev/null || ! command -v pdftotext >/dev/null; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends recollcmd poppler-utils
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVEK_SANITIZE=OFF >/dev/null
cmake --build "$build" -j 2 --target tarvek-index tarvek-query >/dev/null

corpus=$work/corpus-$files
if [ ! -f "$corpus/truth.tsv" ]; then
  echo "Generating $files PDF files into $corpus"
  python3 "$here/make_corpus.py" "$corpus" "$files" 10
fi
python3 "$here/compare.py" "$work" "$corpus" "$build/standins/indexer"
