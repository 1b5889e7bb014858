#!/usr/bin/env bash
# make demo: the sample collection indexed by the stand-in indexer, the plug-in
# loaded from Plug_ins\Tarvek\ by the stand-in viewer, and searches run by the
# product's catalogue and search core with the stand-in engine, under Wine.
# Expects `make samples win32` to have run (the Makefile sees to it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
win32=build/win32
demo=build/demo
samples=build/samples

windows_path() { echo "Z:$(cd "$1" && pwd)" | sed 's#/#\\#g'; }
wine_run() { tools/wine-run.sh --prefix "$root/$demo/wineprefix" "$@" 2>/dev/null | tr -d '\r'; }

echo "== A viewer folder in $demo/viewer: the stand-in viewer, the plug-in and the engine"
rm -rf "$demo/viewer"
mkdir -p "$demo/viewer"
cp "$win32/standins/viewer/viewer.exe" "$demo/viewer/"
cp -r "$win32/standins/viewer/Plug_ins" "$demo/viewer/"
(cd "$demo/viewer" && find . -type f | sort | sed 's/^\./   /')

echo
echo "== The viewer loads Plug_ins\\Tarvek\\query.API and prints its menus and buttons"
printf 'menus\nenabled VELT:Search\nenabled VELT:NextHit\nshot %s\\viewer.png\nquit\n' \
  "$(windows_path "$demo")" > "$demo/menus.script"
wine_run "$demo/viewer/viewer.exe" --script "$(windows_path "$demo")\\menus.script"
echo "   (a picture of the viewer window: $demo/viewer.png)"

echo
echo "== The product's search core on the samples ($samples)"
wine_run "$win32/tools/search-demo/search-demo.exe" \
  "$(windows_path "$demo/viewer/Plug_ins/Tarvek")" "$(windows_path "$samples")"

echo
echo "== The active index database it saved, as tarvek-catalogue shows it"
wine_run "$win32/catalogue/tool/tarvek-catalogue.exe" dump "$(windows_path "$demo/viewer/Plug_ins/Tarvek")\\tarvek.idb"
