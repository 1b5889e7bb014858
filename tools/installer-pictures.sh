#!/usr/bin/env bash
# Takes the pictures of the installer's pages and progress window in docs/:
# lays out a full-variant medium with a licence and an Adobe Acrobat
# installation that already has the plug-in, then walks the wizard with the
# driver (standins/driver) and its "shot" command.
# Usage (after make win32): tools/with-display.sh tools/installer-pictures.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/win32
run="$root/tools/wine-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

medium=$work/medium
mkdir -p "$medium/PLUGIN"
cp "$build/installer/tarvinst.exe" "$medium/tarvinst.exe"
cp "$build/installer/tarvinst.exe" "$medium/ZaZiruDA.exe"  # any program with a version record
cp "$build/host/query.API" "$medium/PLUGIN/TarvekPDF.API"
printf 'Licenčné podmienky používania programového vybavenia TarvekPDF.\r\n\r\n1. ...\r\n' |
  iconv -f UTF-8 -t CP1250 > "$medium/LICENCIA.TXT"
printf '[PLUGIN]\r\nTITLE=TarvekPDF\r\nFULL_VERSION=1\r\nTARVEK_PATH=PLUGIN\r\nTARVEK_EULA=LICENCIA.TXT\r\nTARVEK0=TarvekPDF.API\r\nREADER_MIN_VERSION=1.0\r\n' \
  > "$medium/TARVINST.INF"

# A viewer installation inside the Wine prefix, the plug-in already in it.
acrobat="$build/wineprefix/drive_c/Program Files/Adobe/Acrobat 6.0/Acrobat"
mkdir -p "$acrobat/Plug_ins/Tarvek"
cp "$build/host/query.API" "$acrobat/Acrobat.exe"
cp "$build/host/query.API" "$acrobat/Plug_ins/Tarvek/TarvekPDF.API"
key='HKCU\Software\Adobe\Adobe Acrobat\1.0\InstallPath'
"$run" reg add "$key" /ve /d 'C:\Program Files\Adobe\Acrobat 6.0\Acrobat\' /f > /dev/null

docs=$(echo "Z:$root/docs" | tr / '\\')
cat > "$work/pictures.script" <<SCRIPT
wait Uvítanie 10
shot $docs\\installer-welcome.png
click "Ďalej >"
wait "Výber cieľového adresára"
shot $docs\\installer-target.png
click "Ďalej >"
wait "Licenčná zmluva"
click "Súhlasím s uvedenou licenčnou zmluvou"
shot $docs\\installer-licence.png
click "Ďalej >"
wait "Údaje o používateľovi"
type Meno: "Ján Novák"
type Spoločnosť: "Kelbo, s.r.o."
shot $docs\\installer-user-data.png
click Zrušiť
wait Tarvinst
shot $docs\\installer-cancel.png
click #6
wait "Údaje o používateľovi"
click Inštalovať
wait "" 5
shot $docs\\installer-progress.png
exit
SCRIPT
"$run" "$build/standins/driver/driver.exe" --script "$(echo "Z:$work/pictures.script" | tr / '\\')" \
  "$(echo "Z:$medium/tarvinst.exe" | tr / '\\')"
"$run" reg delete 'HKCU\Software\Adobe\Adobe Acrobat' /f > /dev/null
rm -rf "$build/wineprefix/drive_c/Program Files/Adobe/Acrobat 6.0"

# The driver writes PNG without compression; the committed pictures are compressed.
python3 - "$root"/docs/installer-*.png <<'PYTHON'
import struct, sys, zlib
for name in sys.argv[1:]:
    data = open(name, 'rb').read()
    at, chunks, image = 8, [], b''
    while at < len(data):
        size, = struct.unpack('>I', data[at:at + 4])
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + size]
        at += 12 + size
        if kind == b'IDAT':
            image += body
        else:
            chunks.append((kind, body))
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    out = data[:8]
    for kind, body in chunks:
        if kind == b'IEND':
            out += chunk(b'IDAT', zlib.compress(zlib.decompress(image), 9))
        out += chunk(kind, body)
    open(name, 'wb').write(out)
PYTHON
