#!/usr/bin/env bash
# The lemmatizer on real text, tarvek against Recoll's stemmers (see
# bench/README.md, "On real text"):
#   bench/lang/realtext.sh [LANG...]     default: sk en cs fr de hu pl it es
# Installs the texts (LibreOffice's help, Debian's fortunes, the message
# catalogues of base programs), hunspell with its dictionaries and Recoll
# when missing. BENCH_BUILD, BENCH_WORK and LANG_DATA as for run.sh.
# Not part of make test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -gt 0 ]; then langs=("$@"); else langs=(sk en cs fr de hu pl it es); fi

packages=(recollcmd poppler-utils hunspell hunspell-sk hunspell-en-us hunspell-cs hunspell-fr hunspell-de-de
  hunspell-hu hunspell-pl hunspell-it hunspell-es fortunes fortunes-cs fortunes-de fortunes-es fortunes-it
  fortunes-pl libc-l10n gnupg-l10n libglib2.0-data gettext libgtk2.0-common gsettings-desktop-schemas)
for l in cs de fr hu pl it es en-us; do packages+=("libreoffice-help-$l"); done
missing=()
for p in "${packages[@]}"; do dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p"); done
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if [ ${#missing[@]} -gt 0 ]; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

. "$here/tree.sh"
python3 "$here/realtext.py" "$work" "$build/standins/indexer" "$data" "${langs[@]}"
echo "Misses: $work/real-misses-LANG.txt"
