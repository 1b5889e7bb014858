#!/usr/bin/env bash
# Takes the pictures of the results dialog, the display options dialog and a
# document window with highlighted hits (docs/*.png) with the stand-in
# viewer's shot commands. The hits are the stand-in engine's answer on the
# Slovak samples (tarvek-query, OR of "jar" and "lete"); results-probe.API
# loads them into the plug-in's results dialog in place of the search dialog.
# Expects `make samples win32` to have run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=build/results-pictures
samples=build/samples
rm -rf "$out" && mkdir -p "$out/viewer/Plug_ins/Tarvek"
cp build/win32/standins/viewer/viewer.exe "$out/viewer/"
cp build/win32/tests/win32/results-plugin/results-probe.API "$out/viewer/Plug_ins/Tarvek/"
cp build/win32/standins/engine-double/vovar_av_double/vovar_av.dll "$out/viewer/Plug_ins/Tarvek/"

windows_path() { echo "Z:$(cd "$1" && pwd)" | sed 's#/#\\#g'; }
build/native/standins/indexer/tarvek-query "$samples/vzorky_sk.sbi" --data "$samples" --flags 0x0110 jar lete \
  > "$out/hits.txt"
build/native/catalogue/tool/tarvek-catalogue dump "$samples/vzorky_sk.sbf" > "$out/mapping.txt"
python3 - "$out" "$(windows_path "$samples")" "$samples" <<'PY'
import os, re, sys, time, urllib.parse
out, samples_win, samples = sys.argv[1:4]
entries, entry = {}, {}
for line in open(os.path.join(out, "mapping.txt"), encoding="utf-8"):
    m = re.match(r'entry\[(\d+)\]\.(\w+): (.*)', line.strip())
    if not m: continue
    entry = entries.setdefault(m.group(1), {})
    value = m.group(3)
    if value.startswith('"'):
        value = urllib.parse.unquote_to_bytes(value[1:-1]).decode("cp1250")
    entry[m.group(2)] = value
by_path = {e["pdfPath"]: e for e in entries.values()}
files = {}
for line in open(os.path.join(out, "hits.txt"), encoding="utf-8"):
    m = re.match(r'topic \d+: (\S+) page (\d+): (.*)', line.strip())
    if not m: continue
    files.setdefault(m.group(1), []).append((int(m.group(2)) - 1, m.group(3).split()))
with open(os.path.join(out, "fixture.txt"), "w", encoding="utf-8") as f:
    f.write("jar lete\n")
    for stored, pages in files.items():
        e = by_path[stored]
        relative = stored.replace("$VZORKY\\", "")
        t = time.localtime(os.stat(os.path.join(samples, relative.replace("\\", "/"))).st_mtime)
        hits = "\t".join("%d=%s" % (p, ",".join(o)) for p, o in pages)
        f.write("%s\\%s\t%s\tVzorky SK\t%s\t%s\t%s\t%s\n" % (samples_win, relative, e["pageCount"], e["pdfTitle"],
                e["fileSize"], time.strftime("%Y %m %d %H %M %S", t), hits))
PY
docs=$(windows_path docs)
cat > "$out/pictures.script" <<SCRIPT
menu VELT:Search
wait "TarvekPDF Search - Výsledky hľadania"
dump
shot $docs\\results-dialog.png
click Možnosti...
wait "Možnosti zobrazenia"
shot $docs\\display-options.png
click Storno
dblclick #1301 vcelarstvo.pdf
click "Nasl. strana"
log
docshot $docs\\document-hits.png
quit
SCRIPT
export TARVEK_RESULTS_FIXTURE="$(windows_path "$out")\\fixture.txt"
tools/wine-run.sh --prefix "$root/$out/wineprefix" "$out/viewer/viewer.exe" \
  --script "$(windows_path "$out")\\pictures.script" 2>/dev/null | tr -d '\r'

# The viewer writes stored (uncompressed) PNG data; compress it for the repository.
python3 - docs/results-dialog.png docs/display-options.png docs/document-hits.png <<'PY'
import struct, sys, zlib
for path in sys.argv[1:]:
    data = open(path, "rb").read()
    chunks, at, idat = [], 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IDAT": idat += body
        else: chunks.append((kind, body))
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    out = data[:8]
    for kind, body in chunks:
        if kind == b"IEND": out += chunk(b"IDAT", zlib.compress(zlib.decompress(idat), 9))
        out += chunk(kind, body)
    open(path, "wb").write(out)
PY
ls -l docs/results-dialog.png docs/display-options.png docs/document-hits.png
