#!/usr/bin/env bash
# OCR accuracy and speed of tarvek-index on scanned Slovak pages (see
# bench/README.md):   bench/ocr/run.sh [PAGES] [DPI]   default 200 pages, 300 dpi
# BENCH_BUILD (default build/bench) is a Release tree without sanitizers;
# BENCH_WORK (default build/bench-ocr) holds the corpus and the indexes.
# Not part of make test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BENCH_BUILD:-$root/build/bench}
work=${BENCH_WORK:-$root/build/bench-ocr}
pages=${1:-200}
dpi=${2:-300}
python=/usr/bin/python3
[ -x "$python" ] || python=python3

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVEK_SANITIZE=OFF >/dev/null
cmake --build "$build" -j 2 --target tarvek-index tarvek-query >/dev/null
bin=$build/standins/indexer

corpus=$work/corpus-$pages-$dpi
if [ ! -f "$corpus/truth.tsv" ]; then
  echo "Generating $pages scanned pages at $dpi dpi into $corpus"
  "$python" "$here/make_scans.py" "$corpus" "$pages" "$dpi"
fi
echo "| Pages | Read from | Exact recall | Fuzzy Dia recall | Indexing | Pages per second |"
echo "|---|---|---|---|---|---|"
for variant in text clean noisy; do
  summary=$("$bin/tarvek-index" --language sk --excluded "$root/standins/samples/excluded_sk.txt" \
    "$corpus/$variant" "$work/index-$variant" 2>/dev/null | tail -1)
  seconds=$(echo "$summary" | sed -n 's/.* words in \([0-9.]*\) s.*/\1/p')
  recall=$("$python" "$here/recall.py" "$corpus" "$work/index-$variant.sbi" "$bin/tarvek-query")
  exact=$(echo "$recall" | awk -F'\t' '$1=="exact"{print $4}')
  fuzzy=$(echo "$recall" | awk -F'\t' '$1=="Fuzzy Dia"{print $4}')
  rate=$(awk -v p="$pages" -v s="$seconds" 'BEGIN{printf "%.1f", p/s}')
  echo "| $pages | $variant | $exact | $fuzzy | $seconds s | $rate |"
done
