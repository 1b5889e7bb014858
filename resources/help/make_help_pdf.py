#!/usr/bin/env python3
"""Builds the help document TarvekPDFSearch.pdf from its text source and the
picture of the search dialog.

    make_help_pdf.py SOURCE.txt PICTURE.png OUT.pdf

Source lines: "# Title" starts a heading, "[obrázok]" places the picture,
an empty line ends a paragraph, other lines are paragraph text (wrapped).
The text is Slovak, stored in code page 1250 as the sample PDF files are
(standins/samples/pdfwriter.py supplies the font encoding)."""
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "standins", "samples"))
from pdfwriter import _differences, _pdf_string, serialize  # noqa: E402

PAGE_WIDTH, PAGE_HEIGHT = 595, 842
LEFT, TOP, BOTTOM = 64, 780, 64
BODY, BODY_LEADING, HEADING, HEADING_LEADING = 11, 15, 15, 22
WRAP_CHARS = 88


def read_png(path):
    """Width, height and the RGB bytes of an 8-bit RGB, non-interlaced PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG: " + path)
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 2, 0):
                raise SystemExit("only 8-bit RGB PNG pictures: " + path)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride = zlib.decompress(idat), width * 3
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 3] if i >= 3 else 0
            up, corner = previous[i], previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, b"".join(rows)


def wrap(text):
    lines, line = [], ""
    for word in text.split():
        if line and len(line) + 1 + len(word) > WRAP_CHARS:
            lines.append(line)
            line = word
        else:
            line = (line + " " + word).strip()
    return lines + ([line] if line else [])


def parse(source):
    """Blocks: ("heading", text), ("text", [lines]), ("picture", None)."""
    blocks, paragraph = [], []

    def flush():
        if paragraph:
            blocks.append(("text", wrap(" ".join(paragraph))))
            paragraph.clear()

    for raw in open(source, encoding="utf-8").read().splitlines():
        line = raw.strip()
        if line.startswith("# "):
            flush()
            blocks.append(("heading", line[2:]))
        elif line == "[obrázok]":
            flush()
            blocks.append(("picture", None))
        elif not line:
            flush()
        else:
            paragraph.append(line)
    flush()
    return blocks


def layout(blocks, picture_size):
    """Content streams of the pages."""
    pages, ops, y = [], [], TOP
    pw, ph = picture_size
    scale = min(1.0, (PAGE_WIDTH - 2 * LEFT) / pw)
    shown_w, shown_h = pw * scale, ph * scale

    def new_page():
        nonlocal ops, y
        if ops:
            pages.append(b"\n".join(ops))
        ops, y = [], TOP

    for kind, value in blocks:
        if kind == "heading":
            if y - HEADING_LEADING * 2 < BOTTOM:
                new_page()
            y -= 6 if y < TOP else 0
            ops.append(b"BT /F2 %d Tf %d %d Td " % (HEADING, LEFT, y) + _pdf_string(value) + b" Tj ET")
            y -= HEADING_LEADING
        elif kind == "text":
            for line in value:
                if y - BODY_LEADING < BOTTOM:
                    new_page()
                ops.append(b"BT /F1 %d Tf %d %d Td " % (BODY, LEFT, y) + _pdf_string(line) + b" Tj ET")
                y -= BODY_LEADING
            y -= BODY_LEADING // 2
        else:
            if y - shown_h < BOTTOM:
                new_page()
            y -= shown_h
            ops.append(b"q %.2f 0 0 %.2f %d %.2f cm /Im1 Do Q" % (shown_w, shown_h, LEFT, y))
            y -= BODY_LEADING
    new_page()
    return pages


def write(out_path, pages, picture):
    width, height, rgb = picture
    objects = []

    def add(body):
        objects.append(body)
        return len(objects)

    catalog, pages_obj = add(None), add(None)
    encoding = b"/Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences " + \
        _differences().encode() + b" >>"
    regular = add(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica " + encoding + b" >>")
    bold = add(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold " + encoding + b" >>")
    pixels = zlib.compress(rgb, 9)
    image = add(b"<< /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceRGB "
                b"/BitsPerComponent 8 /Filter /FlateDecode /Length %d >>\nstream\n" % (width, height, len(pixels))
                + pixels + b"\nendstream")
    kids = []
    for content in pages:
        packed = zlib.compress(content)
        stream = add(b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(packed) + packed + b"\nendstream")
        kids.append(add(b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %d %d] /Resources << /Font << /F1 %d 0 R "
                        b"/F2 %d 0 R >> /XObject << /Im1 %d 0 R >> >> /Contents %d 0 R >>"
                        % (pages_obj, PAGE_WIDTH, PAGE_HEIGHT, regular, bold, image, stream)))
    objects[catalog - 1] = b"<< /Type /Catalog /Pages %d 0 R >>" % pages_obj
    objects[pages_obj - 1] = b"<< /Type /Pages /Kids [%s] /Count %d >>" % (
        b" ".join(b"%d 0 R" % k for k in kids), len(kids))
    title = ("FEFF" + "TarvekPDF Search – pomocník".encode("utf-16-be").hex().upper()).encode()
    info = add(b"<< /Title <" + title + b"> /Producer (TarvekPDF Search) >>")
    with open(out_path, "wb") as f:
        f.write(serialize(objects, catalog, info))


def main():
    source, picture_path, out_path = sys.argv[1:4]
    picture = read_png(picture_path)
    write(out_path, layout(parse(source), picture[:2]), picture)


if __name__ == "__main__":
    main()
