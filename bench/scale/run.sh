#!/usr/bin/env bash
# The scale benchmark, end to end (see bench/README.md):
#   bench/scale/run.sh [PAGES...]        default 20000 100000
# Corpora of PAGES/10 files of 10 pages are generated once into BENCH_WORK
# (default build/bench-scale); BENCH_BUILD (default build/bench) is a
# Release tree without sanitizers. NO_RECOLL=1 leaves Recoll out (it is
# installed here when missing). Not part of make test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BENCH_BUILD:-$root/build/bench}
work=${BENCH_WORK:-$root/build/bench-scale}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000 100000)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
recoll=()
if [ "${NO_RECOLL:-0}" = 1 ]; then
  recoll=(--no-recoll)
elif ! command -v recollindex >/dev/null || ! command -v pdftotext >/dev/null; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends recollcmd poppler-utils
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVEK_SANITIZE=OFF >/dev/null
cmake --build "$build" -j 2 --target tarvek-index tarvek-query >/dev/null

corpora=()
for pages in "${sizes[@]}"; do
  files=$((pages / 10))
  corpus=$work/corpus-$files
  if [ ! -f "$corpus/truth.tsv" ]; then
    echo "Generating $files PDF files of 10 pages into $corpus"
    python3 "$root/bench/recoll/make_corpus.py" "$corpus" "$files" 10
  fi
  corpora+=("$corpus")
done
python3 "$here/scale.py" "$work" "$build/standins/indexer" "${recoll[@]}" "${corpora[@]}"
