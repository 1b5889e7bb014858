#!/usr/bin/env bash
# Runs each catalogue fuzzer for a while from a freshly written seed corpus.
# Usage: tests/fuzz/run-fuzzers.sh BUILD_DIR SECONDS
# New inputs found are kept in BUILD_DIR/fuzz-corpus/KIND and reused by later
# runs; an input that fails is written to BUILD_DIR/fuzz-artifacts/.
set -euo pipefail
build=$1
seconds=$2
seeds=$build/fuzz-seeds
corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts
mkdir -p "$seeds/database" "$seeds/mapping" "$seeds/sbi" "$corpus/database" "$corpus/mapping" "$corpus/sbi" "$artifacts"
mkdir -p "$seeds/versioninfo" "$corpus/versioninfo" "$seeds/ling" "$corpus/ling"
"$build/tests/fuzz/catalogue_fuzz_seeds" "$seeds/database" "$seeds/mapping"
"$build/tests/fuzz/sbi_fuzz_seeds" "$seeds/sbi"  # the stand-in engine's .sbi reader
"$build/tests/fuzz/ling_fuzz_seeds" "$seeds/ling"  # and its linguistic data reader
"$build/tests/fuzz/installer_fuzz_seeds" "$seeds/versioninfo"  # the installer's version readers
for kind in database mapping sbi ling versioninfo; do
  echo "fuzz_$kind: ${seconds} s"
  log=$build/fuzz-$kind.log
  status=0
  "$build/tests/fuzz/fuzz_$kind" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$kind-" \
    "$corpus/$kind" "$seeds/$kind" >"$log" 2>&1 || status=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  if [ $status -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "fuzz_$kind failed (status $status); the input is in $artifacts/" >&2
    exit 1
  fi
done
