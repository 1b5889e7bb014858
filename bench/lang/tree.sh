# Sourced by run.sh and realtext.sh: builds what the measurements run in the
# Release tree BENCH_BUILD (default build/bench, no sanitizers) and sets
#   build  the tree, work  BENCH_WORK (default build/bench-lang),
#   data   LANG_DATA (default: the tree's TARVEK_LINGDATA_DIR, the files
#          themselves, not the copies laid beside tarvek-query when it was
#          last linked).
build=${BENCH_BUILD:-$root/build/bench}
work=${BENCH_WORK:-$root/build/bench-lang}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVEK_SANITIZE=OFF >/dev/null
cmake --build "$build" -j 2 --target tarvek-index tarvek-query lingdata >/dev/null
data=${LANG_DATA:-$(sed -n 's/^TARVEK_LINGDATA_DIR:PATH=//p' "$build/CMakeCache.txt")}
mkdir -p "$work"
