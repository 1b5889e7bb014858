#!/usr/bin/env bash
# The plug-in benchmark, end to end (see bench/README.md):
#   bench/plugin/run.sh [--sessions N] [--repeats N] [--only one|four] [--queries WORD,...]
# The collection (10,000 PDF files of 10 pages) and its indexes (one over
# all of it; four of 8,000 files each, over folders that link into it) are
# made once into BENCH_WORK (default build/bench-plugin) and kept;
# BENCH_BUILD (default build/bench) is a Release tree without sanitizers
# for tarvek-index and tarvek-query. The plug-in and the viewer come from
# the win32 tree (build/win32). Not part of make test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BENCH_BUILD:-$root/build/bench}
work=${BENCH_WORK:-$root/build/bench-plugin}
files=${BENCH_FILES:-10000}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVEK_SANITIZE=OFF >/dev/null
cmake --build "$build" -j 2 --target tarvek-index tarvek-query >/dev/null
make -C "$root" win32 >/dev/null
index=$build/standins/indexer/tarvek-index

mkdir -p "$work"
if [ ! -f "$work/one/counts.tsv" ]; then
  echo "Generating $files PDF files of 10 pages into $work/one/pdf"
  python3 "$here/make_collection.py" "$work/one" "$files" 10
fi
if [ ! -f "$work/one/Bench.sbf" ]; then
  echo "Indexing them (a minute or two)"
  "$index" --name Bench --path-variable BENCH "$work/one/pdf" "$work/one/Bench" >/dev/null
fi
# Four indexes of 80 folders (8,000 files) each; each lists its files under
# its own folder, so the four hold different paths.
folders=$(ls "$work/one/pdf" | wc -l)
for k in 1 2 3 4; do
  q=$work/multi/q$k
  [ -f "$q/Q$k.sbf" ] && continue
  rm -rf "$q" && mkdir -p "$q/pdf"
  args=()
  for i in $(seq 0 $((folders * 8 / 10 - 1))); do
    name=$(printf '%02d' $(( (i + 20 * (k - 1)) % folders )))
    ln -s "$work/one/pdf/$name" "$q/pdf/$name"
    args+=("$q/pdf/$name")
  done
  echo "Indexing Q$k (${#args[@]} folders)"
  "$index" --name "Q$k" --path-variable BENCH "${args[@]}" "$q/Q$k" >/dev/null
done
python3 "$here/bench.py" "$work" "$build/standins/indexer" "$root/build/win32/standins/viewer" "$@"
