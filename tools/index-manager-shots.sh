#!/usr/bin/env bash
# Takes the pictures of the index manager and the excluded-words list
# (docs/index-manager.png, docs/excluded-words.png): the stand-in viewer with
# the test plug-in manager.API and the stand-in engine adds the Slovak sample
# index through the open-file dialog, shows its properties and PDF files, opens
# its excluded words and closes with "&Koniec". Needs `make win32 samples`.
# Runs in a Wine prefix of its own, so the test prefix's registry stays as it is.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$root/build/index-manager-shots
rm -rf "$work/viewer"
mkdir -p "$work/viewer/Plug_ins/Test"
cp "$root/build/win32/standins/viewer/viewer.exe" "$work/viewer/"
cp "$root/build/win32/tests/win32/manager-plugin/manager.API" "$work/viewer/Plug_ins/Test/"
cp "$root/build/win32/standins/viewer/Plug_ins/Tarvek/"{vovar_av.dll,ling_sk.tld} "$work/viewer/Plug_ins/Test/"
win() { echo "Z:$1" | tr / '\\'; }
cat > "$work/shots.script" <<SCRIPT
menu Test:IndexManager
wait "Správa indexov"
click Pridať...
openfile "$(win "$root/build/samples/vzorky_sk.sbi")"
dump
shot "$(win "$root/docs/index-manager.png")"
click "Vylúč. slová..."
wait "Zoznam vylúčených slov"
chars "Hľadané slovo" PR
dump
shot "$(win "$root/docs/excluded-words.png")"
click Storno
click Koniec
quit
SCRIPT
"$root/tools/wine-run.sh" --prefix "$work/wineprefix" "$work/viewer/viewer.exe" --script "$(win "$work/shots.script")"
