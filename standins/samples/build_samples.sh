#!/usr/bin/env bash
# Builds the sample collection into OUT: the PDF files and a Slovak and an
# English index (the bilingual leaflet in both).
#   build_samples.sh OUT TARVEK_INDEX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
indexer=$2

rm -rf "$out/pdf" "$out/bad"
mkdir -p "$out"
# Debian's interpreter, which has Pillow (python3-pil) for the scanned pages.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" "$here/make_samples.py" "$out"
"$indexer" --name "Vzorky (SK)" --language sk --excluded "$here/excluded_sk.txt" --indexer-number "VZ-SK-1" \
  --path-variable '$VZORKY' "$out/pdf/sk" "$out/pdf/both" "$out/vzorky_sk"
"$indexer" --name "Samples (EN)" --language en --excluded "$here/excluded_en.txt" --indexer-number "VZ-EN-1" \
  --path-variable '$VZORKY' "$out/pdf/en" "$out/pdf/both" "$out/samples_en"
